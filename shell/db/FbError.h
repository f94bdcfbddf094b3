#pragma once

#include <QString>
#include <exception>
#include <string>

namespace fb {

// A failure reported by the database layer. text() holds Firebird's own status text, or
// our own Portuguese text where the failure is found before the server is asked.
class Error : public std::exception
{
public:
    explicit Error(QString text, int sqlCode = 0);

    const QString &text() const { return m_text; }
    int sqlCode() const { return m_sqlCode; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_text;
    std::string m_utf8;
    int m_sqlCode;
};

} // namespace fb
