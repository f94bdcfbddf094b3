#pragma once

#include "UsersReportFixture.h"

#include "session/TdmPrincipal.h"
#include "session/uTotal.h"

#include <QDir>

// The program's session on a users report fixture, inside the test process: the fixture's folder
// is the working folder, its clientes.ini is read, the working year is 2017, and dmPrincipal's
// connection points at the fixture's database in local mode. Undone when the session ends.
class UsersReportSession
{
public:
    explicit UsersReportSession(const UsersReportFixture &fixture) : m_previousDir(QDir::currentPath())
    {
        QDir::setCurrent(fixture.folder());
        InicializaSessao();
        Ano_Vero = QStringLiteral("2017");
        dmPrincipal = &m_module;
        m_module.NimboConnection->setParam(QStringLiteral("Database"),
                                           fixture.path(QStringLiteral("LICITACAO.FDB")));
        m_module.NimboConnection->setParam(QStringLiteral("ServerCharSet"), QStringLiteral("WIN1252"));
    }
    ~UsersReportSession()
    {
        dmPrincipal = nullptr;
        QDir::setCurrent(m_previousDir);
    }
    UsersReportSession(const UsersReportSession &) = delete;
    UsersReportSession &operator=(const UsersReportSession &) = delete;

private:
    QString m_previousDir;
    TdmPrincipal m_module;
};
