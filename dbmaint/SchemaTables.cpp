#include "dbmaint/SchemaTables.h"

#include <QHash>
#include <stdexcept>

namespace
{

const QString Integer = QStringLiteral("INTEGER");
const QString Numeric = QStringLiteral("NUMERIC(15,2)");
const QString Date = QStringLiteral("DATE");
const QString BinaryBlob = QStringLiteral("BLOB SUB_TYPE 0 SEGMENT SIZE 80");
const QString TextBlob = QStringLiteral("BLOB SUB_TYPE 1 SEGMENT SIZE 80");

QString varchar(int size)
{
    return QStringLiteral("VARCHAR(%1)").arg(size);
}

ColumnDefinition key(const QString &name, const QString &type)
{
    return {name, type, true};
}

ColumnDefinition col(const QString &name, const QString &type)
{
    return {name, type, false};
}

// Every table closes with the two audit columns; its NOT NULL columns form its primary key.
TableDefinition table(const QString &name, QList<ColumnDefinition> columns, const QString &header = {})
{
    columns << col("DIGITADO", varchar(100)) << col("ALTERADO", varchar(100));
    QStringList primaryKey;
    for (const ColumnDefinition &c : columns) {
        if (c.notNull)
            primaryKey << c.name;
    }
    return {name, columns, primaryKey, header};
}

TableDefinition userTable(const QString &name)
{
    TableDefinition t =
        table(name, {key("IDUSUARIO", varchar(4)), col("USUARIO", varchar(100)), col("CPF", varchar(14)),
                     col("SENHA", varchar(20)), col("CONFIRMA", varchar(20)), col("NIVEL", varchar(50)),
                     col("B_FOTO", BinaryBlob), col("PRIMEIRO_ACESSO", varchar(1))});
    // The one required column outside a key.
    t.columns[2].notNull = true;
    return t;
}

TableDefinition productTable(const QString &name)
{
    return table(name,
                 {key("I_PRODUTO", Integer), col("PRODUTO", varchar(100)), col("UNIDADE", varchar(20))});
}

QList<ColumnDefinition> requestHeaderColumns()
{
    return {key("I_REGISTRO", Integer),  col("D_DATA", Date),           col("I_DEPARTAMENTO", Integer),
            col("DIGITO", varchar(4)),   col("IDDESPESA", varchar(24)), col("IDRECURSO", varchar(11)),
            col("MOTIVO", varchar(1000))};
}

TableDefinition pricedItemTable(const QString &name, const QString &header)
{
    return table(name,
                 {key("I_REGISTRO", Integer), key("I_ITEM", Integer), col("I_PRODUTO", Integer),
                  col("N_QUANTIDADE", Numeric), col("N_VUNITARIO", Numeric), col("N_SUBTOTAL", Numeric)},
                 header);
}

QList<TableDefinition> allTables()
{
    const ColumnDefinition licitacao = key("LICITACAO", varchar(15));
    const ColumnDefinition registro = key("REGISTRO", varchar(15));
    const ColumnDefinition ano = key("ANO", varchar(4));
    const ColumnDefinition ata = key("I_ATA", Integer);
    const ColumnDefinition aditivo = key("I_ADITIVO", Integer);
    const ColumnDefinition item = key("I_ITEM", Integer);
    const QList<ColumnDefinition> itemValues = {col("I_PRODUTO", Integer), col("N_QUANTIDADE", Numeric),
                                                col("N_VUNITARIO", Numeric), col("N_SUBTOTAL", Numeric)};

    return {
        table("FORNECEDORES",
              {key("I_FORNECEDOR", Integer), col("FORNECEDOR", varchar(100)), col("TIPO", varchar(1)),
               col("CPF", varchar(14)),      col("CNPJ", varchar(18)),        col("ENDERECO", varchar(100)),
               col("NUMERO", varchar(10)),   col("COMPLEMENTO", varchar(50)), col("CEP", varchar(9)),
               col("BAIRRO", varchar(50)),   col("CIDADE", varchar(50)),      col("UF", varchar(2)),
               col("TELEFONE", varchar(20)), col("CELULAR", varchar(20)),     col("EMAIL", varchar(100)),
               col("SITE", varchar(100)),    col("D_CADASTRO", Date),         col("B_FOTO", BinaryBlob),
               col("APELIDO", varchar(100)), col("RG", varchar(20)),          col("D_RG", Date)}),
        productTable("PRODUTOS"),
        productTable("PRODUTOS_LICITA"),
        table("GRUPO_PRODUTOS", {key("I_GRUPO", Integer), col("GRUPO", varchar(100))}),
        table("COMPRAPRODUTO",
              {key("I_REGISTRO", Integer), col("I_FORNECEDOR", Integer), col("D_DATA", Date),
               col("OBS", varchar(1000)), col("N_VALORPARCELADO", Numeric), col("N_VALORFINAL", Numeric),
               col("N_VALORPAGO", Numeric), col("N_VALOREMABERTO", Numeric)}),
        table("COMPRAPRODUTO_PARCELAS",
              {key("I_REGISTRO", Integer), key("I_PARCELA", Integer), col("N_VALOR", Numeric),
               col("N_MULTA", Numeric), col("N_JUROS", Numeric), col("N_DESCONTO", Numeric),
               col("N_VALORFINAL", Numeric), col("D_VENCIMENTO", Date), col("N_PAGAMENTO", Numeric),
               col("D_PAGAMENTO", Date)},
              "COMPRAPRODUTO"),
        table("COMPRAPRODUTO_ITENS",
              {key("I_REGISTRO", Integer), key("I_ITEM", Integer), col("I_PRODUTO", Integer),
               col("N_QUANTIDADE", Numeric), col("N_VLRUNITARIO", Numeric), col("N_TOTAL", Numeric)},
              "COMPRAPRODUTO"),
        table("ENTREGAPRODUTO", {key("I_REGISTRO", Integer), col("I_DEPARTAMENTO", Integer),
                                 col("D_DATA", Date), col("OBS", varchar(1000))}),
        table("ENTREGAPRODUTO_ITENS",
              {key("I_REGISTRO", Integer), key("I_ITEM", Integer), col("I_PRODUTO", Integer),
               col("N_QUANTIDADE", Numeric)},
              "ENTREGAPRODUTO"),
        table("UNIDADES", {key("I_UNIDADE", Integer), col("UNIDADE", varchar(100)), col("CNPJ", varchar(18)),
                           col("CODIGOUA", varchar(4))}),
        table("LICITACAOMODALIDADE", {key("IDMODALIDADE", varchar(3)), col("MODALIDADE", varchar(100))}),
        table("EMPENHOTIPO", {key("IDTIPO", varchar(1)), col("TIPO", varchar(100))}),
        table("DESPESAS", {key("IDDESPESA", varchar(24)), col("DESPESA", varchar(255))}),
        table("DIGITOS",
              {key("DIGITO", varchar(4)), col("DESCRICAO", varchar(100)), col("I_FUNCAO", Integer),
               col("I_SUBFUNCAO", Integer), col("I_PROGRAMA", Integer), col("I_UNIDADE", Integer)}),
        table("PROCESSOS", {key("PROCESSO", varchar(8)), col("ANO", varchar(4)), col("D_PROCESSO", Date),
                            col("B_DESCRICAO", TextBlob)}),
        table("EMPENHOS", {key("EMPENHO", varchar(8)), col("ANO", varchar(4)), col("D_EMPENHO", Date),
                           col("IDTIPO", varchar(1)), col("DIGITO", varchar(4)), col("PROCESSO", varchar(8)),
                           col("B_HISTORICO", TextBlob)}),
        userTable("USUARIOS_SEC"),
        userTable("USUARIOS_ESTOC"),
        userTable("USUARIOS_COMPRA"),
        userTable("USUARIOS_DEPT"),
        userTable("USUARIOS_FINANC"),
        table("LICITACOES",
              {licitacao, ano, col("D_LICITACAO", Date), col("IDMODALIDADE", varchar(3)),
               col("REGISTROPRECO", varchar(1)), col("REFERENCIALEGAL", varchar(500)),
               col("PROCESSO", varchar(8)), col("B_DESCRICAO", TextBlob), col("N_VALOR_ATA", Numeric),
               col("N_VALOR_ADITIVO", Numeric), col("N_VALOR_TOTAL", Numeric)}),
        table("ATAS",
              {licitacao, ano, ata, col("I_FORNECEDOR", Integer), col("D_VIGENCIA_I", Date),
               col("D_VIGENCIA_F", Date), col("N_VALOR_ATA", Numeric), col("N_VALOR_ADITIVO", Numeric),
               col("N_VALOR_TOTAL", Numeric)},
              "LICITACOES"),
        table("ATAS_PRODUTOS", QList<ColumnDefinition>{licitacao, ano, ata, item} + itemValues, "ATAS"),
        table("ADITIVOS",
              {licitacao, ano, ata, aditivo, col("D_VIGENCIA_I", Date), col("D_VIGENCIA_F", Date),
               col("N_VALOR_ADITIVO", Numeric)},
              "ATAS"),
        table("ADITIVOS_PRODUTOS", QList<ColumnDefinition>{licitacao, ano, ata, aditivo, item} + itemValues,
              "ADITIVOS"),
        table("COMPRAS_EXTRAORD",
              {registro, ano, col("D_DATA", Date), col("REFERENCIALEGAL", varchar(500)),
               col("PROCESSO", varchar(8)), col("B_DESCRICAO", TextBlob), col("N_VALOR_TOTAL", Numeric)}),
        table("ATAS_EXTRAORD",
              {registro, ano, ata, col("I_FORNECEDOR", Integer), col("D_VIGENCIA_I", Date),
               col("D_VIGENCIA_F", Date), col("N_VALOR_ATA", Numeric)},
              "COMPRAS_EXTRAORD"),
        table("ATAS_EXTRAORD_PRODUTOS", QList<ColumnDefinition>{registro, ano, ata, item} + itemValues,
              "ATAS_EXTRAORD"),
        table("RCOMPRA", requestHeaderColumns()),
        table("RCOMPRA_ITENS",
              {key("I_REGISTRO", Integer), key("I_ITEM", Integer), col("I_PRODUTO", Integer),
               col("N_QUANTIDADE", Numeric)},
              "RCOMPRA"),
        table("SATCOMPRA", requestHeaderColumns() << col("LICITACAO", varchar(15)) << col("ANO", varchar(4))
                                                  << col("I_ATA", Integer)),
        pricedItemTable("SATCOMPRA_ITENS", "SATCOMPRA"),
        table("SADCOMPRA", requestHeaderColumns() << col("LICITACAO", varchar(15)) << col("ANO", varchar(4))
                                                  << col("I_ATA", Integer) << col("I_ADITIVO", Integer)),
        pricedItemTable("SADCOMPRA_ITENS", "SADCOMPRA"),
        table("SEXCOMPRA", requestHeaderColumns() << col("REGISTRO", varchar(15)) << col("ANO", varchar(4))
                                                  << col("I_ATA", Integer)),
        pricedItemTable("SEXCOMPRA_ITENS", "SEXCOMPRA"),
    };
}

} // namespace

const TableDefinition &schemaTable(const QString &nome)
{
    static const QHash<QString, TableDefinition> tables = [] {
        QHash<QString, TableDefinition> byName;
        for (const TableDefinition &t : allTables())
            byName.insert(t.name, t);
        return byName;
    }();
    const auto found = tables.constFind(nome);
    if (found == tables.constEnd())
        throw std::out_of_range("unknown table " + nome.toStdString());
    return *found;
}
