#include "ProgramPaths.h"

#include <QFile>

QString programPath(const QString &program)
{
    const QString folder = qEnvironmentVariableIsEmpty("ESTOCARIUM_PROGRAM_DIR")
                               ? QStringLiteral(ESTOCARIUM_BUILD_DIR)
                               : qEnvironmentVariable("ESTOCARIUM_PROGRAM_DIR");
    return folder + QLatin1Char('/') + program;
}

QString missingProgram()
{
    for (const char *program : {"estocarium", "estocarium-db"}) {
        if (!QFile::exists(programPath(program)))
            return programPath(program);
    }
    return {};
}
