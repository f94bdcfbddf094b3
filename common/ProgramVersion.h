#pragma once

#include <QString>

// The version both programs and the Debian package carry; set by the build from the project's version.
QString programVersion();

// "<program> <version>", the answer of --version.
QString versionLine(const QString &program);
