#pragma once

#include <QString>

// Exit status of a command line the tool does not understand.
constexpr int UsageExitCode = 2;

// The commands and options of the tool, as --help prints them.
QString usageText();

// Writes the problem (when given) and the usage text to stderr; returns UsageExitCode.
int usageError(const QString &problem = QString());
