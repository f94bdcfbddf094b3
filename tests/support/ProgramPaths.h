#pragma once

#include <QString>

// Where tests that run the real programs find estocarium and estocarium-db: the build folder, or the
// folder named by ESTOCARIUM_PROGRAM_DIR (/usr/bin when scripts/package-check.sh tests the installed
// package).
QString programPath(const QString &program);
// The path of the first of estocarium and estocarium-db that is not there, or empty when both are.
QString missingProgram();
