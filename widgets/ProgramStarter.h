#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Finds and starts the desktop's own programs (calculator, browser). Both platform operations
// can be replaced.
class ProgramStarter
{
public:
    ProgramStarter();

    std::function<QString(const QString &program)> findProgram; // its path, or empty
    // The started process's id; 0 when the program could not be started. What it does afterwards
    // is not followed.
    std::function<qint64(const QString &path, const QStringList &arguments)> startProgram;

    // The path of the first of programs that is installed, or empty.
    QString firstInstalled(const QStringList &programs) const;
};
