#include "shell/CommandLineRequest.h"
#include "shell/ui/BrazilianSystemLocale.h"
#include "shell/ui/EstocariumApplication.h"
#include "shell/ui/StartUp.h"

int main(int argc, char *argv[])
{
    if (const auto answered = answerCommandLineRequest(argc, argv))
        return *answered;
    BrazilianSystemLocale brazilian;
    EstocariumApplication app(argc, argv);
    brazilian.takeOver();
    installPortugueseTranslations(app);
    // Outside the event loop no handler catches: a failure there is shown, then the program ends.
    try {
        return runProgram(app);
    } catch (...) {
        EstocariumApplication::showException(std::current_exception());
        return 1;
    }
}
