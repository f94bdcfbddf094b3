#include "dbmaint/CatalogueI.h"

#include "dbmaint/SchemaStatements.h"
#include "dbmaint/SchemaTables.h"

namespace
{

void createAndKey(QStringList &catalogue, const QStringList &tables)
{
    for (const QString &name : tables) {
        const TableDefinition &table = schemaTable(name);
        catalogue << createTableText(table) << addPrimaryKeyText(table);
    }
}

void replaceForeignKeys(QStringList &catalogue, const QStringList &details)
{
    for (const QString &name : details) {
        const TableDefinition &detail = schemaTable(name);
        catalogue << dropForeignKeyText(detail) << addForeignKeyText(detail);
    }
}

} // namespace

QStringList catalogueI()
{
    QStringList c;
    createAndKey(
        c, {"FORNECEDORES", "PRODUTOS", "COMPRAPRODUTO", "COMPRAPRODUTO_PARCELAS", "COMPRAPRODUTO_ITENS"});
    c << QString() << QString();
    createAndKey(c, {"ENTREGAPRODUTO", "ENTREGAPRODUTO_ITENS"});
    replaceForeignKeys(c, {"COMPRAPRODUTO_PARCELAS", "COMPRAPRODUTO_ITENS", "ENTREGAPRODUTO_ITENS"});
    createAndKey(c, {"UNIDADES", "LICITACAOMODALIDADE", "EMPENHOTIPO", "PROCESSOS", "LICITACOES", "EMPENHOS",
                     "DIGITOS"});
    c << addColumnText("COMPRAPRODUTO", "PROCESSO", "VARCHAR(8)")
      << addColumnText("COMPRAPRODUTO", "LICITACAO", "VARCHAR(15)")
      << addColumnText("COMPRAPRODUTO", "EMPENHO", "VARCHAR(8)");
    createAndKey(c, {"PRODUTOS_LICITA", "USUARIOS_SEC", "USUARIOS_ESTOC", "USUARIOS_COMPRA", "DESPESAS",
                     "ATAS", "ATAS_PRODUTOS", "ADITIVOS", "ADITIVOS_PRODUTOS"});
    replaceForeignKeys(c, {"ATAS", "ATAS_PRODUTOS", "ADITIVOS", "ADITIVOS_PRODUTOS"});
    createAndKey(c, {"COMPRAS_EXTRAORD", "ATAS_EXTRAORD", "ATAS_EXTRAORD_PRODUTOS"});
    replaceForeignKeys(c, {"ATAS_EXTRAORD", "ATAS_EXTRAORD_PRODUTOS"});
    createAndKey(c, {"USUARIOS_DEPT", "USUARIOS_FINANC", "RCOMPRA", "RCOMPRA_ITENS", "SATCOMPRA",
                     "SATCOMPRA_ITENS", "SADCOMPRA", "SADCOMPRA_ITENS", "SEXCOMPRA", "SEXCOMPRA_ITENS"});
    replaceForeignKeys(c, {"RCOMPRA_ITENS", "SATCOMPRA_ITENS", "SADCOMPRA_ITENS", "SEXCOMPRA_ITENS"});
    createAndKey(c, {"GRUPO_PRODUTOS"});
    c << addColumnText("PRODUTOS", "I_GRUPO", "INTEGER");
    return c;
}
