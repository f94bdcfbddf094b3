#include "shell/SqlConnection.h"

#include "shell/db/FbError.h"

SqlConnection::SqlConnection()
    : m_params{{QStringLiteral("DriverName"), QStringLiteral("Firebird")},
               {QStringLiteral("Database"), QStringLiteral("LICITACAO.FDB")},
               {QStringLiteral("RoleName"), QStringLiteral("RoleName")},
               {QStringLiteral("User_Name"), QStringLiteral("sysdba")},
               {QStringLiteral("Password"), QStringLiteral("quartzite")},
               {QStringLiteral("SQLDialect"), QStringLiteral("3")},
               {QStringLiteral("LocaleCode"), QStringLiteral("0000")},
               {QStringLiteral("BlobSize"), QStringLiteral("-1")},
               {QStringLiteral("CommitRetain"), QStringLiteral("False")},
               {QStringLiteral("WaitOnLocks"), QStringLiteral("True")},
               {QStringLiteral("IsolationLevel"), QStringLiteral("ReadCommitted")},
               {QStringLiteral("Trim Char"), QStringLiteral("False")}}
{
}

QString SqlConnection::param(const QString &name) const
{
    for (const auto &entry : m_params) {
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
            return entry.second;
    }
    return QString();
}

void SqlConnection::setParam(const QString &name, const QString &value)
{
    for (qsizetype i = 0; i < m_params.size(); ++i) {
        if (m_params[i].first.compare(name, Qt::CaseInsensitive) == 0) {
            if (value.isEmpty())
                m_params.removeAt(i);
            else
                m_params[i].second = value;
            return;
        }
    }
    if (!value.isEmpty())
        m_params.append({name, value});
}

void SqlConnection::open()
{
    if (isConnected())
        return;
    fb::AttachOptions options;
    options.user = param(QStringLiteral("User_Name"));
    // An entry is never empty (setting an empty value removes it): no entry, no password sent.
    if (const QString password = param(QStringLiteral("Password")); !password.isEmpty())
        options.password = password;
    options.role = param(QStringLiteral("RoleName"));
    options.charset = param(QStringLiteral("ServerCharSet"));
    bool dialectOk = false;
    const int dialect = param(QStringLiteral("SQLDialect")).toInt(&dialectOk);
    options.dialect = dialectOk ? dialect : 3;
    m_attachment.attach(param(QStringLiteral("Database")), options);
}

void SqlConnection::close()
{
    m_transaction.reset();
    m_attachment.detach();
}

void SqlConnection::startTransaction()
{
    open();
    m_transaction = std::make_unique<fb::Transaction>(m_attachment);
}

void SqlConnection::commit()
{
    if (!m_transaction)
        return;
    m_transaction->commit();
    m_transaction.reset();
}

void SqlConnection::rollback()
{
    if (!m_transaction)
        return;
    auto transaction = std::move(m_transaction);
    transaction->rollback();
}
