#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <exception>
#include <string>

namespace fb
{

// A failure reported by the database layer. text() holds Firebird's own status text, or
// our own Portuguese text where the failure is found before the server is asked. codes()
// holds Firebird's error codes (isc_...) in the order of its status, so callers tell causes
// apart by code rather than by wording; our own failures carry none unless they stand for
// one of Firebird's causes.
class Error : public std::exception
{
public:
    // A numeric argument of the status, with the code it belongs to.
    using Number = QPair<qint64, qint64>;

    explicit Error(QString text, int sqlCode = 0, QList<qint64> codes = {}, QList<Number> numbers = {},
                   QList<qint64> systemErrors = {});

    const QString &text() const { return m_text; }
    int sqlCode() const { return m_sqlCode; }
    const QList<qint64> &codes() const { return m_codes; }
    // The numeric arguments of code, in order (isc_trunc_limits: the column's length, then the value's).
    QList<qint64> numbersOf(qint64 code) const;
    // The operating system's error numbers (errno) the status carries, e.g. for a file not opened.
    const QList<qint64> &systemErrors() const { return m_systemErrors; }
    bool hasCode(qint64 code) const { return m_codes.contains(code); }
    // The attachment is gone (network failure, server shut down or killed, connection cut by
    // the layer's own watchdog): nothing more can be done with it, the next use must attach again.
    bool connectionLost() const;
    // The layer's watchdog gave up waiting for the server.
    bool timedOut() const { return m_timedOut; }
    void setTimedOut() { m_timedOut = true; }

    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_text;
    std::string m_utf8;
    int m_sqlCode;
    QList<qint64> m_codes;
    QList<Number> m_numbers;
    QList<qint64> m_systemErrors;
    bool m_timedOut = false;
};

} // namespace fb
