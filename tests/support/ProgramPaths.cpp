#include "ProgramPaths.h"

QString programPath(const QString &program)
{
    const QString folder = qEnvironmentVariableIsEmpty("ESTOCARIUM_PROGRAM_DIR")
                               ? QStringLiteral(ESTOCARIUM_BUILD_DIR)
                               : qEnvironmentVariable("ESTOCARIUM_PROGRAM_DIR");
    return folder + QLatin1Char('/') + program;
}
