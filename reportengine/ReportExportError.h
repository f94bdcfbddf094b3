#pragma once

#include <QString>
#include <stdexcept>

// A report could not be written or measured; text() and detail() are meant for the user: what
// failed, and why, on a line of its own (empty when text() says it all).
class ReportExportError : public std::runtime_error
{
public:
    explicit ReportExportError(const QString &text, const QString &detail = QString())
        : std::runtime_error(text.toStdString()), m_text(text), m_detail(detail)
    {
    }

    const QString &text() const { return m_text; }
    const QString &detail() const { return m_detail; }

private:
    QString m_text;
    QString m_detail;
};
