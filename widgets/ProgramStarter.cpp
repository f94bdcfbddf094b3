#include "widgets/ProgramStarter.h"

#include <QProcess>
#include <QStandardPaths>

ProgramStarter::ProgramStarter()
    : findProgram([](const QString &program) { return QStandardPaths::findExecutable(program); }),
      startProgram([](const QString &path, const QStringList &arguments) {
          qint64 pid = 0;
          return QProcess::startDetached(path, arguments, QString(), &pid) ? pid : qint64(0);
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
