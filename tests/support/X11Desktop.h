#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

// A virtual X display with a window manager (Xvfb + openbox) for end-to-end tests of the real
// programs, and the xdotool/xprop/import commands that drive and observe it. Each test program
// owns one desktop; screenshots land in <build>/e2e-artifacts/<suite>.
class X11Desktop
{
public:
    explicit X11Desktop(const QString &suite);
    ~X11Desktop();

    // Starts Xvfb on a free display and openbox on it; an empty result means ready, otherwise it
    // says what is missing or failed.
    QString start();
    // Ends the programs started here, then the window manager and the display.
    void stop();
    // Ends the X server alone, as when a remote display drops.
    void killDisplay();

    QString display() const { return m_display; }
    QString artifacts() const { return m_artifacts; }
    QProcessEnvironment environment() const;

    // Runs an X client to its end; its standard output without the final line break.
    QString x(const QString &program, const QStringList &args, int *exitCode = nullptr) const;
    // The id of the one visible window whose whole name matches pattern, or empty.
    QString window(const QString &pattern) const;
    QString activeWindow() const { return x("xdotool", {"getactivewindow"}); }
    QString windowName(const QString &id) const { return x("xdotool", {"getwindowname", id}); }
    void key(const QStringList &keys) const;
    void type(const QString &text) const;
    // Saves a picture of the whole screen; false when it could not be taken.
    bool screenshot(const QString &name) const;
    // Called from a test's cleanup(): when the test function (or its data row) failed, a picture of
    // the screen and the list of the visible windows, the active one marked, as
    // failed-<function>[-<row>].png and .txt; the list also on stderr.
    void recordIfFailed() const;

    // Starts a program on this display, with environment() or the one given; the desktop keeps it
    // and ends it in stop().
    QProcess *launch(const QString &program, const QStringList &args, const QString &folder = {});
    QProcess *launch(const QString &program, const QStringList &args, const QString &folder,
                     const QProcessEnvironment &env);

private:
    QString startWindowManager();

    QString m_display;
    QString m_artifacts;
    std::unique_ptr<QProcess> m_xvfb;
    std::unique_ptr<QProcess> m_wm;
    std::vector<std::unique_ptr<QProcess>> m_programs;
};

// Makes a working folder with a new database, clientes.ini and pictures through estocarium-db;
// an empty result means done, otherwise the tool's output.
QString createWorkingFolder(const QString &folder, const QStringList &extraArgs = {});
