#include "common/ProgramVersion.h"

// ESTOCARIUM_VERSION is the project version, given to this file alone by the build.
QString programVersion()
{
    return QStringLiteral(ESTOCARIUM_VERSION);
}

QString versionLine(const QString &program)
{
    return program + QLatin1Char(' ') + programVersion();
}
