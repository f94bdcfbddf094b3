#include "dbmaint/TotalTriggers.h"

namespace {

void addPair(QList<TriggerDefinition> &triggers, TriggerDefinition t)
{
    const QString table = t.table;
    t.name = table + QStringLiteral("_T1");
    t.afterDelete = false;
    triggers << t;
    t.name = table + QStringLiteral("_T2");
    t.afterDelete = true;
    triggers << t;
}

} // namespace

QList<TriggerDefinition> gatilhosDeTotais()
{
    const QStringList ata = {"LICITACAO", "ANO", "I_ATA"};
    QList<TriggerDefinition> t;
    addPair(t, {.table = "COMPRAPRODUTO_PARCELAS",
                .sums = {"N_VALOR", "N_VALORFINAL", "N_PAGAMENTO"},
                .zeroesVariables = false,
                .parent = "COMPRAPRODUTO",
                .parentKey = {"I_REGISTRO"},
                .assignments = {{"N_VALORPARCELADO", ":RT1"},
                                {"N_VALORFINAL", ":RT2"},
                                {"N_VALORPAGO", ":RT3"},
                                {"N_VALOREMABERTO", ":RT2 - :RT3"}}});
    addPair(t, {.table = "ATAS",
                .sums = {"N_VALOR_ATA", "N_VALOR_ADITIVO", "N_VALOR_TOTAL"},
                .parent = "LICITACOES",
                .parentKey = {"LICITACAO", "ANO"},
                .assignments = {{"N_VALOR_ATA", ":RT1"}, {"N_VALOR_ADITIVO", ":RT2"}, {"N_VALOR_TOTAL", ":RT3"}}});
    // The minute's other stored value is added as it is: a NULL there makes the minute's total NULL,
    // which the other modules of the suite have always seen.
    addPair(t, {.table = "ATAS_PRODUTOS",
                .sums = {"N_SUBTOTAL"},
                .parent = "ATAS",
                .parentKey = ata,
                .assignments = {{"N_VALOR_ATA", ":RT1"}, {"N_VALOR_TOTAL", ":RT1 + C.N_VALOR_ADITIVO"}}});
    addPair(t, {.table = "ADITIVOS",
                .sums = {"N_VALOR_ADITIVO"},
                .parent = "ATAS",
                .parentKey = ata,
                .assignments = {{"N_VALOR_ADITIVO", ":RT1"}, {"N_VALOR_TOTAL", ":RT1 + C.N_VALOR_ATA"}}});
    addPair(t, {.table = "ADITIVOS_PRODUTOS",
                .sums = {"N_SUBTOTAL"},
                .parent = "ADITIVOS",
                .parentKey = ata + QStringList{"I_ADITIVO"},
                .assignments = {{"N_VALOR_ADITIVO", ":RT1"}}});
    addPair(t, {.table = "ATAS_EXTRAORD",
                .sums = {"N_VALOR_ATA"},
                .parent = "COMPRAS_EXTRAORD",
                .parentKey = {"REGISTRO", "ANO"},
                .assignments = {{"N_VALOR_TOTAL", ":RT1"}}});
    addPair(t, {.table = "ATAS_EXTRAORD_PRODUTOS",
                .sums = {"N_SUBTOTAL"},
                .parent = "ATAS_EXTRAORD",
                .parentKey = {"REGISTRO", "ANO", "I_ATA"},
                .assignments = {{"N_VALOR_ATA", ":RT1"}}});
    return t;
}
