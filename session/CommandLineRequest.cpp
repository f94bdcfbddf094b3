#include "session/CommandLineRequest.h"

#include "common/ProgramVersion.h"

#include <cstdio>
#include <cstring>

namespace
{

const char *const kAjuda =
    "Uso: estocarium [--help | --version]\n"
    "\n"
    "Cliente do almoxarifado do Estocarium. O programa trabalha na pasta em que é iniciado:\n"
    "lê clientes.ini, TELA_PRINCIPAL.JPG e Limpa.JPG dessa pasta e, no modo local, abre\n"
    "LICITACAO.FDB nela. Uma pasta de trabalho nova é criada com: estocarium-db create PASTA\n"
    "\n"
    "  --help      mostra esta ajuda e termina\n"
    "  --version   mostra a versão e termina\n";

} // namespace

std::optional<int> answerCommandLineRequest(int argc, char *argv[])
{
    if (argc < 2)
        return std::nullopt;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s\n", versionLine(QStringLiteral("estocarium")).toUtf8().constData());
        return 0;
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kAjuda, stdout);
        return 0;
    }
    return std::nullopt;
}
