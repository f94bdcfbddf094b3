#include "widgets/WindowTitles.h"

#include <QProcess>
#include <QRegularExpression>

QStringList x11WindowTitles()
{
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    if (!xwininfo.waitForFinished(5000) || xwininfo.exitStatus() != QProcess::NormalExit)
        return {};
    return parseXwininfoTree(QString::fromUtf8(xwininfo.readAllStandardOutput()));
}

QStringList parseXwininfoTree(const QString &output)
{
    // A window line: its id, its name in quotes and a colon, then its class and geometry.
    static const QRegularExpression windowLine(QStringLiteral(R"re(^\s*0x[0-9a-fA-F]+ "(.*)": )re"));
    QStringList titles;
    for (const QString &line : output.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = windowLine.match(line);
        if (match.hasMatch())
            titles.append(match.captured(1));
    }
    return titles;
}
