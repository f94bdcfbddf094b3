#include "TestDatabase.h"

#include "db/Attachment.h"
#include "db/FbError.h"
#include "db/SqlQuery.h"
#include "dbmaint/ExecutaAtualizacao.h"
#include "session/TdmPrincipal.h"

#include <QDir>
#include <QTest>

TestDatabase::TestDatabase() : m_previousDir(QDir::currentPath()), m_previousModule(dmPrincipal)
{
    if (!m_dir.isValid())
        qFatal("cannot make a temporary folder");
    {
        fb::Attachment creator;
        fb::CreateOptions options;
        options.forcedWrites = false;
        creator.create(path(), fb::AttachOptions{}, options);
        creator.detach();
    }
    QDir::setCurrent(m_dir.path());
    m_module = std::make_unique<TdmPrincipal>();
    dmPrincipal = m_module.get();
    connection()->setParam(QStringLiteral("Database"), path());
    connection()->setParam(QStringLiteral("ServerCharSet"), QStringLiteral("WIN1252"));
}

TestDatabase::~TestDatabase()
{
    m_module.reset();
    dmPrincipal = m_previousModule;
    QDir::setCurrent(m_previousDir);
}

SqlConnection *TestDatabase::connection() const
{
    return m_module->NimboConnection;
}

void TestDatabase::exec(const QString &sql)
{
    SqlQuery query(connection());
    query.setParamCheck(false);
    query.setSql(sql);
    query.execSQL();
}

QVariant TestDatabase::scalar(const QString &sql)
{
    SqlQuery query(connection());
    query.setSql(sql);
    query.open();
    return query.rowCount() ? query.value(0, 0) : QVariant();
}

void TestDatabase::createSchema()
{
    executaAtualizacaoI(*connection());
    executaAtualizacaoII(*connection());
}
