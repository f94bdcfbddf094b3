#include "dbmaint/TotalTriggers.h"

namespace
{

using Assignments = QList<std::pair<QString, QString>>;

// The _T1 (after insert or update) and _T2 (after delete) triggers of one table.
void addPair(QList<TriggerDefinition> &triggers, const QString &table, const QStringList &sums, bool zeroes,
             const QString &parent, const QStringList &parentKey, const Assignments &assignments)
{
    triggers << TriggerDefinition{
        table + QStringLiteral("_T1"), table, false, sums, zeroes, parent, parentKey, assignments};
    triggers << TriggerDefinition{
        table + QStringLiteral("_T2"), table, true, sums, zeroes, parent, parentKey, assignments};
}

} // namespace

QList<TriggerDefinition> totalTriggers()
{
    const QStringList ata = {"LICITACAO", "ANO", "I_ATA"};
    QList<TriggerDefinition> t;
    addPair(t, "COMPRAPRODUTO_PARCELAS", {"N_VALOR", "N_VALORFINAL", "N_PAGAMENTO"}, false, "COMPRAPRODUTO",
            {"I_REGISTRO"},
            {{"N_VALORPARCELADO", ":RT1"},
             {"N_VALORFINAL", ":RT2"},
             {"N_VALORPAGO", ":RT3"},
             {"N_VALOREMABERTO", ":RT2 - :RT3"}});
    addPair(t, "ATAS", {"N_VALOR_ATA", "N_VALOR_ADITIVO", "N_VALOR_TOTAL"}, true, "LICITACOES",
            {"LICITACAO", "ANO"},
            {{"N_VALOR_ATA", ":RT1"}, {"N_VALOR_ADITIVO", ":RT2"}, {"N_VALOR_TOTAL", ":RT3"}});
    // The minute's other stored value is added as it is: a NULL there makes the minute's total NULL,
    // which the other modules of the suite have always seen.
    addPair(t, "ATAS_PRODUTOS", {"N_SUBTOTAL"}, true, "ATAS", ata,
            {{"N_VALOR_ATA", ":RT1"}, {"N_VALOR_TOTAL", ":RT1 + C.N_VALOR_ADITIVO"}});
    addPair(t, "ADITIVOS", {"N_VALOR_ADITIVO"}, true, "ATAS", ata,
            {{"N_VALOR_ADITIVO", ":RT1"}, {"N_VALOR_TOTAL", ":RT1 + C.N_VALOR_ATA"}});
    addPair(t, "ADITIVOS_PRODUTOS", {"N_SUBTOTAL"}, true, "ADITIVOS", ata + QStringList{"I_ADITIVO"},
            {{"N_VALOR_ADITIVO", ":RT1"}});
    addPair(t, "ATAS_EXTRAORD", {"N_VALOR_ATA"}, true, "COMPRAS_EXTRAORD", {"REGISTRO", "ANO"},
            {{"N_VALOR_TOTAL", ":RT1"}});
    addPair(t, "ATAS_EXTRAORD_PRODUTOS", {"N_SUBTOTAL"}, true, "ATAS_EXTRAORD", {"REGISTRO", "ANO", "I_ATA"},
            {{"N_VALOR_ATA", ":RT1"}});
    return t;
}
