// The floor for scripts/bench-launch.sh: the least a Qt program can do to reach a sign-in dialog
// through the program's own windows, in their order. The attachment of the working folder's
// LICITACAO.FDB (the same parameters as the reference's) begins on a helper thread at once; the
// splash picture is shown meanwhile; a maximised main window is shown once the attachment is
// there; the dialog comes at that window's first activation. No menus, no tool bar, no calendar,
// no background, no text: what it takes beyond the bare reference is the price of the windows
// alone, which no work inside the program can remove. Escape closes it.
#include "db/Attachment.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <exception>
#include <thread>

namespace
{

class MainWindow : public QMainWindow
{
protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate && !m_activated) {
            m_activated = true;
            QTimer::singleShot(0, this, [this] {
                QDialog dialog(this);
                dialog.setWindowTitle(QStringLiteral("Estocarium / Estocarium - 2017"));
                dialog.resize(340, 220);
                dialog.exec();
                QApplication::quit();
            });
        }
        return QMainWindow::event(event);
    }

private:
    bool m_activated = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    fb::Attachment attachment;
    const QString database = QDir::currentPath() + QStringLiteral("/LICITACAO.FDB");
    std::exception_ptr failure;
    std::thread attaching([&attachment, &database, &failure] {
        fb::AttachOptions options;
        options.user = QStringLiteral("sysdba");
        options.password = QStringLiteral("quartzite");
        options.role = QStringLiteral("RoleName");
        try {
            attachment.attach(database, options);
        } catch (...) {
            failure = std::current_exception();
        }
    });

    QLabel splash(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    splash.setPixmap(QPixmap(QStringLiteral(":/images/splash.jpg")));
    splash.show();
    attaching.join();
    if (failure)
        std::rethrow_exception(failure);

    MainWindow window;
    window.setWindowTitle(QStringLiteral("Estocarium"));
    window.showMaximized();
    splash.close();
    return app.exec();
}
