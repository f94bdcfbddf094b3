#include "tool/TabelaOrgaos.h"

#include "db/Attachment.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "dbmaint/SchemaStatements.h"

void criaOrgaos(fb::Attachment &attachment, const PerfilCliente &profile, const QByteArray &logo)
{
    const TableDefinition orgaos{QStringLiteral("ORGAOS"),
                                 {{"I_ORGAO", "INTEGER", true},
                                  {"ORGAO", "VARCHAR(100)", false},
                                  {"CNPJ", "VARCHAR(18)", false},
                                  {"CODIGOUA", "VARCHAR(4)", false},
                                  {"TRATAMENTO", "VARCHAR(50)", false},
                                  {"TRANSPARENCIA", "VARCHAR(1)", false},
                                  {"B_LOGOMARCA", "BLOB SUB_TYPE 0 SEGMENT SIZE 80", false}},
                                 {QStringLiteral("I_ORGAO")},
                                 {}};
    fb::executeImmediate(attachment, createTableText(orgaos));
    fb::executeImmediate(attachment, addPrimaryKeyText(orgaos));

    fb::Transaction transaction(attachment);
    fb::Statement insert(transaction,
                         QStringLiteral("INSERT INTO ORGAOS (I_ORGAO, ORGAO, CNPJ, CODIGOUA, B_LOGOMARCA) "
                                        "VALUES (1, ?, ?, ?, ?)"));
    insert.setParam(0, profile.name);
    insert.setParam(1, profile.cnpj);
    insert.setParam(2, profile.unitCode);
    insert.setParam(3, logo);
    insert.execute();
    transaction.commit();
}
