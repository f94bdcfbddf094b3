#include "db/FbError.h"

#include <firebird/Interface.h>

namespace fb
{

Error::Error(QString text, int sqlCode, QList<qint64> codes, QList<Number> numbers,
             QList<qint64> systemErrors)
    : m_text(std::move(text)), m_utf8(m_text.toStdString()), m_sqlCode(sqlCode), m_codes(std::move(codes)),
      m_numbers(std::move(numbers)), m_systemErrors(std::move(systemErrors))
{
}

QList<qint64> Error::numbersOf(qint64 code) const
{
    QList<qint64> found;
    for (const Number &number : m_numbers) {
        if (number.first == code)
            found.append(number.second);
    }
    return found;
}

bool Error::connectionLost() const
{
    static const qint64 kLost[] = {isc_network_error,      isc_net_read_err, isc_net_write_err,
                                   isc_lost_db_connection, isc_conn_lost,    isc_att_shutdown,
                                   isc_shutdown,           isc_shutinprog,   isc_bad_db_handle};
    if (m_timedOut)
        return true;
    for (const qint64 code : kLost) {
        if (hasCode(code))
            return true;
    }
    return false;
}

} // namespace fb
