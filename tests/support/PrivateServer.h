#pragma once

#include <QString>
#include <QTemporaryDir>

// A Firebird 3 server of the test's own, started by scripts/firebird-server.sh in a temporary
// folder: its own port, configuration, security database (SYSDBA with the program's
// password) and lock folder. Stopped, killed, paused and resumed by its process id only.
class PrivateServer
{
public:
    PrivateServer();
    ~PrivateServer();
    PrivateServer(const PrivateServer &) = delete;
    PrivateServer &operator=(const PrivateServer &) = delete;

    // Empty when the server could not be started (say, no right to make a mount namespace).
    QString failure() const { return m_failure; }
    // How a client names this server ("localhost/PORT") and a database file on it.
    QString host() const;
    QString database(const QString &path) const;

    void kill();    // as a crash: SIGKILL
    void pause();   // SIGSTOP: connections stay open, nothing answers
    void resume();  // SIGCONT
    void restart(); // starts again on the same port after kill()

private:
    bool run(const QString &command);
    qint64 pid() const;
    void signal(int number);

    QTemporaryDir m_dir;
    int m_port = 0;
    QString m_failure;
};
