#pragma once

#include <QString>
#include <stdexcept>

// A report could not be written or measured; text() is meant for the user.
class ReportExportError : public std::runtime_error
{
public:
    explicit ReportExportError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}

    const QString &text() const { return m_text; }

private:
    QString m_text;
};
