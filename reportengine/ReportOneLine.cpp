#include "reportengine/ReportOneLine.h"

#include <algorithm>

namespace
{

bool breaksTheLine(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

} // namespace

QString reportOneLine(QString text)
{
    // Most values hold none: they are returned without a copy.
    if (std::none_of(text.cbegin(), text.cend(), breaksTheLine))
        return text;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    std::replace_if(text.begin(), text.end(), breaksTheLine, QChar(u' '));
    return text;
}
