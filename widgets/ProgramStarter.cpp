#include "widgets/ProgramStarter.h"

#include <QProcess>
#include <QStandardPaths>

ProgramStarter::ProgramStarter()
    : findProgram([](const QString &program) { return QStandardPaths::findExecutable(program); }),
      startProgram([](const QString &path, const QStringList &arguments) {
          return QProcess::startDetached(path, arguments);
      })
{
}

QString ProgramStarter::firstInstalled(const QStringList &programs) const
{
    for (const QString &program : programs) {
        const QString path = findProgram(program);
        if (!path.isEmpty())
            return path;
    }
    return {};
}
