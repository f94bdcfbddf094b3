#include "tool/ToolUsage.h"

#include "tool/ToolOutput.h"

QString usageText()
{
    return QStringLiteral(
        "Uso:\n"
        "  estocarium-db create PASTA [--users N]   cria PASTA/LICITACAO.FDB pronto para uso\n"
        "  estocarium-db update PASTA [--servidor SERVIDOR]\n"
        "                                           executa as atualizações I e II no banco, depois\n"
        "                                           de uma cópia de segurança junto a ele\n"
        "  estocarium-db restore PASTA COPIA        recoloca uma cópia de segurança como "
        "PASTA/LICITACAO.FDB\n"
        "  estocarium-db catalogue I|II             lista os comandos de uma atualização (JSON)\n"
        "  estocarium-db report usuarios PASTA --format pdf|txt|csv|html --out ARQUIVO [--periodo MM/AAAA]\n"
        "                                           relatório dos usuários\n"
        "  estocarium-db --help                     mostra esta ajuda\n"
        "  estocarium-db --version                  mostra a versão");
}

int usageError(const QString &problem)
{
    if (!problem.isEmpty())
        printError(problem);
    printError(usageText());
    return UsageExitCode;
}
