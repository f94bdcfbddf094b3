#include "session/CommandLineRequest.h"
#include "shell/BrazilianSystemLocale.h"
#include "shell/EstocariumApplication.h"
#include "shell/StartUp.h"

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
