#pragma once

#include <QString>

// One line each, UTF-8, flushed at once so that lines keep their order when both streams are read.
void printLine(const QString &line);
void printError(const QString &line);
