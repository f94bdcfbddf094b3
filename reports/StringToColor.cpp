#include "reports/StringToColor.h"

#include <array>
#include <stdexcept>
#include <utility>

namespace
{

// The toolkit's fixed colour names, each with its $00BBGGRR value.
constexpr std::array<std::pair<const char *, quint32>, 20> kNames = {{
    {"clBlack", 0x000000},      {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},       {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},     {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
}};

ReportColour fromBgr(quint32 value)
{
    return ReportColour{int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF)};
}

} // namespace

ReportColour StringToColor(const QString &text)
{
    for (const auto &[name, value] : kNames) {
        if (text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return fromBgr(value);
    }
    const QString number = text.trimmed();
    bool ok = false;
    qlonglong value = 0;
    if (number.startsWith(u'$'))
        value = number.mid(1).toLongLong(&ok, 16);
    else if (number.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = number.mid(2).toLongLong(&ok, 16);
    else
        value = number.toLongLong(&ok, 10);
    if (!ok || value < 0 || value > 0xFFFFFF)
        throw std::runtime_error(QStringLiteral("'%1' não é um valor de cor válido").arg(text).toStdString());
    return fromBgr(quint32(value));
}
