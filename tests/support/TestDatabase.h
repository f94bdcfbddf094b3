#pragma once

#include "db/SqlConnection.h"

#include <QTemporaryDir>
#include <memory>

class TdmPrincipal;

// A fresh, empty WIN1252 database LICITACAO.FDB in a temporary folder, made with the embedded
// engine, and a dmPrincipal whose connection points at it in local mode (closed until first
// used). The working folder is the temporary folder for the fixture's lifetime.
class TestDatabase
{
public:
    TestDatabase();
    ~TestDatabase();

    QString folder() const { return m_dir.path(); }
    QString path() const { return m_dir.path() + QStringLiteral("/LICITACAO.FDB"); }
    SqlConnection *connection() const;
    // Runs the two schema catalogues on the database (tables, keys and triggers).
    void createSchema();
    // Runs one statement through the connection, committed at once.
    void exec(const QString &sql);
    QVariant scalar(const QString &sql);

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    TdmPrincipal *m_previousModule;
    std::unique_ptr<TdmPrincipal> m_module;
};
