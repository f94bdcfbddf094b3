#include "shell/EstocariumApplication.h"
#include "shell/StartUp.h"

int main(int argc, char *argv[])
{
    EstocariumApplication app(argc, argv);
    installPortugueseTranslations(app);
    return runProgram(app);
}
