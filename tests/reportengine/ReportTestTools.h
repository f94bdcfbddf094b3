#pragma once

// Reading report outputs back with independent tools (poppler's pdftotext, pdfinfo, pdftoppm)
// and a plain CSV parser, for the report tests.

#include "reportengine/ReportColour.h"
#include "reportengine/ReportDocument.h"
#include "reportengine/ReportExportFilter.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace ReportTestTools
{

// Writes document through filter to the file name in dir; the file's path.
inline QString saveIn(const QTemporaryDir &dir, const ReportExportFilter &filter,
                      const ReportDocument &document, const QString &name)
{
    const QString path = dir.filePath(name);
    filter.save(document, path);
    return path;
}

inline QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning().noquote() << program << arguments.join(u' ')
                             << "failed:" << process.readAllStandardError();
        return {};
    }
    return process.readAllStandardOutput();
}

inline QString pdfText(const QString &pdf)
{
    return QString::fromUtf8(
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
}

// "Pages", "CreationDate", "Page size", ... as pdfinfo prints them, dates in ISO 8601.
inline QString pdfInfo(const QString &pdf, const QString &key)
{
    const QStringList lines =
        QString::fromUtf8(run(QStringLiteral("pdfinfo"), {QStringLiteral("-isodates"), pdf})).split(u'\n');
    for (const QString &line : lines) {
        if (line.startsWith(key + u':'))
            return line.mid(key.size() + 1).trimmed();
    }
    return {};
}

inline QImage pdfPageImage(const QString &pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                     QString::number(page), QStringLiteral("-r"), QString::number(dpi),
                                     QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

inline QColor colourAtMm(const QImage &image, double xMm, double yMm, int dpi)
{
    return image.pixelColor(int(xMm * dpi / 25.4), int(yMm * dpi / 25.4));
}

// RFC 4180 reading with any separator; line breaks inside quotes stay in the value.
inline QList<QStringList> parseCsv(const QString &text, QChar separator)
{
    QList<QStringList> rows;
    QStringList row;
    QString value;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                value += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                value += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == separator) {
            row << value;
            value.clear();
        } else if (c == u'\r') {
            continue;
        } else if (c == u'\n') {
            row << value;
            rows << row;
            row.clear();
            value.clear();
        } else {
            value += c;
        }
    }
    if (!value.isEmpty() || !row.isEmpty())
        rows << (row << value);
    return rows;
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Two colours the same to within the smoothing of a rendered page.
inline bool near(const QColor &a, const QColor &b, int tolerance = 6)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

inline bool near(const QColor &a, const ReportColour &b, int tolerance = 6)
{
    return near(a, QColor(b.red, b.green, b.blue), tolerance);
}

} // namespace ReportTestTools
