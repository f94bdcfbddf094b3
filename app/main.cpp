#include "shell/CommandLineRequest.h"
#include "shell/EstocariumApplication.h"
#include "shell/StartUp.h"

int main(int argc, char *argv[])
{
    if (const auto answered = answerCommandLineRequest(argc, argv))
        return *answered;
    EstocariumApplication app(argc, argv);
    installPortugueseTranslations(app);
    return runProgram(app);
}
