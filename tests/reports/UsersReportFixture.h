#pragma once

// A working folder for the users report: a database made by "estocarium-db create" once per
// test program, copied fresh for each test, changed with plain SQL, and the report command run
// on it as an administrator would.

#include "db/SqlConnection.h"
#include "db/SqlQuery.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class UsersReportFixture
{
public:
    struct Run {
        int exitCode = -1;
        QString output;
        QString errors;
    };

    static QString tool() { return QStringLiteral(ESTOCARIUM_BUILD_DIR "/estocarium-db"); }

    // A database with the administrator and extraUsers more, client code 1 in local mode.
    static bool createBase(const QString &dir, int extraUsers)
    {
        QProcess process;
        process.start(
            tool(), {QStringLiteral("create"), dir, QStringLiteral("--users"), QString::number(extraUsers)});
        const bool done = process.waitForFinished(300000) && process.exitCode() == 0;
        if (!done)
            qWarning().noquote() << process.readAllStandardError();
        return done;
    }

    explicit UsersReportFixture(const QString &baseDir)
    {
        for (const QString &name : QDir(baseDir).entryList(QDir::Files))
            QFile::copy(QDir(baseDir).filePath(name), m_dir.filePath(name));
    }

    QString folder() const { return m_dir.path(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // One statement, committed; the database is left closed so that the tool can open it.
    void exec(const QString &sql, const QVariant &blob = QVariant())
    {
        SqlConnection connection;
        connection.setParam(QStringLiteral("Database"), path(QStringLiteral("LICITACAO.FDB")));
        connection.setParam(QStringLiteral("ServerCharSet"), QStringLiteral("WIN1252"));
        {
            SqlQuery query(&connection);
            query.setSql(sql);
            if (blob.isValid())
                query.setParam(QStringLiteral("BLOB"), blob);
            query.execSQL();
        }
        connection.close();
    }

    void writeClientCode(int code)
    {
        QFile ini(path(QStringLiteral("clientes.ini")));
        if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write clientes.ini");
        ini.write(QStringLiteral("[dados_cliente]\ncodigo=%1\nweb=0\nrede=0\n").arg(code).toLatin1());
    }

    // report usuarios FOLDER --format FORMAT --out FILE [more]
    Run report(const QString &format, const QString &out, const QStringList &more = {},
               const QString &locale = QStringLiteral("C.UTF-8")) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), locale);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(tool(), QStringList{QStringLiteral("report"), QStringLiteral("usuarios"), folder(),
                                          QStringLiteral("--format"), format, QStringLiteral("--out"), out} +
                                  more);
        Run run;
        if (process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit)
            run.exitCode = process.exitCode();
        run.output = QString::fromUtf8(process.readAllStandardOutput());
        run.errors = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

private:
    QTemporaryDir m_dir;
};
