#include "db/NamedParams.h"

namespace fb
{

namespace
{

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

} // namespace

NamedParams NamedParams::parse(const QString &text)
{
    NamedParams result;
    result.sql.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\'' || c == u'"') {
            const qsizetype end = text.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? n : end + 1;
            result.sql += text.mid(i, stop - i);
            i = stop - 1;
        } else if (c == u'-' && i + 1 < n && text.at(i + 1) == u'-') {
            const qsizetype end = text.indexOf(u'\n', i);
            const qsizetype stop = end < 0 ? n : end;
            result.sql += text.mid(i, stop - i);
            i = stop - 1;
        } else if (c == u'/' && i + 1 < n && text.at(i + 1) == u'*') {
            const qsizetype end = text.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype stop = end < 0 ? n : end + 2;
            result.sql += text.mid(i, stop - i);
            i = stop - 1;
        } else if (c == u':' && i + 1 < n && (text.at(i + 1).isLetter() || text.at(i + 1) == u'_')) {
            qsizetype end = i + 1;
            while (end < n && isNameChar(text.at(end)))
                ++end;
            result.names.append(text.mid(i + 1, end - i - 1).toUpper());
            result.sql += u'?';
            i = end - 1;
        } else {
            result.sql += c;
        }
    }
    return result;
}

} // namespace fb
