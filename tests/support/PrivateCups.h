#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A print service of the test's own: cupsd in the foreground with its configuration, spool,
// state and logs in a temporary folder, on a port of its own, stopped by its process id. It
// holds one raw queue whose device is /dev/null: a job it takes runs and is kept in its list of
// jobs; nothing of the machine's printing set-up is read or changed. Clients reach it through
// CUPS_SERVER=server().
class PrivateCups
{
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups &) = delete;
    PrivateCups &operator=(const PrivateCups &) = delete;

    // Empty when the service and its queue are ready; otherwise what went wrong.
    QString failure() const { return m_failure; }
    QString server() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    static QString queue() { return QStringLiteral("FILA_DO_TESTE"); }
    // The jobs the queue has taken so far, whatever became of them.
    int jobCount() const;
    // The queue takes no more jobs (cupsreject), or takes them again (cupsaccept).
    bool reject();
    bool accept();
    // The queue becomes the service's default printer, the one print dialogs propose.
    bool makeDefault();

private:
    // Runs a CUPS command against this service; empty when it succeeded, else its output.
    QString command(const QString &program, const QStringList &arguments) const;
    // The command's output, and whether it succeeded.
    QString output(const QString &program, const QStringList &arguments, bool *succeeded = nullptr) const;

    QTemporaryDir m_dir;
    int m_port = 0;
    QProcess m_cupsd;
    QString m_failure;
};
