#include "common/ProgramVersion.h"
#include "tool/CatalogueCommand.h"
#include "tool/CreateCommand.h"
#include "tool/ReportCommand.h"
#include "tool/RestoreCommand.h"
#include "tool/ToolOutput.h"
#include "tool/ToolUsage.h"
#include "tool/UpdateCommand.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

// The administrator's command-line tool: prepares and updates databases with the program's own
// catalogues, and produces reports without the windows.
int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(assets);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();

    // Reports measure their text with width tables and write their files without painting, so
    // no command needs a window system.
    const QCoreApplication app(argc, argv);

    if (command == QLatin1String("--help")) {
        printLine(usageText());
        return 0;
    }
    if (command == QLatin1String("--version")) {
        printLine(versionLine(QStringLiteral("estocarium-db")));
        return 0;
    }
    if (command == QLatin1String("create"))
        return runCreateCommand(args);
    // Both use the embedded engine's services (backup, restore), whose thread can outlive the
    // service's last answer: the engine's clean-up at exit then now and then crashes under it, after
    // all the work is done and nothing is attached. These end without that clean-up, as the
    // program does when it leaves an attachment under way.
    if (command == QLatin1String("update") || command == QLatin1String("restore")) {
        const int code =
            command == QLatin1String("update") ? runUpdateCommand(args) : runRestoreCommand(args);
        std::fflush(nullptr);
        std::_Exit(code);
    }
    if (command == QLatin1String("catalogue"))
        return runCatalogueCommand(args);
    if (command == QLatin1String("report"))
        return runReportCommand(args);
    return usageError(command.isEmpty() ? QString()
                                        : QStringLiteral("Comando desconhecido: %1").arg(command));
}
