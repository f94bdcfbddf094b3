#include "common/DateSettings.h"

#include <QLocale>

namespace
{

FormatSettings platformSettings()
{
    const QLocale locale = QLocale::system();
    FormatSettings settings;
    const QString platformFormat = locale.dateFormat(QLocale::ShortFormat);
    settings.dateSeparator = u'/';
    for (const QChar c : platformFormat) {
        if (!c.isLetter()) {
            settings.dateSeparator = c;
            break;
        }
    }
    settings.shortDateFormat = QStringLiteral("d/m/yyyy");
    settings.thousandSeparator =
        locale.groupSeparator().isEmpty() ? QChar(u',') : locale.groupSeparator().at(0);
    settings.decimalSeparator = locale.decimalPoint().isEmpty() ? QChar(u'.') : locale.decimalPoint().at(0);
    for (int day = 1; day <= 7; ++day) {
        const int qtDay = day == 1 ? 7 : day - 1; // Qt counts from Monday
        settings.shortDayNames.append(locale.dayName(qtDay, QLocale::ShortFormat));
        settings.longDayNames.append(locale.dayName(qtDay, QLocale::LongFormat));
    }
    for (int month = 1; month <= 12; ++month) {
        settings.shortMonthNames.append(locale.monthName(month, QLocale::ShortFormat));
        settings.longMonthNames.append(locale.monthName(month, QLocale::LongFormat));
    }
    return settings;
}

} // namespace

FormatSettings &formatSettings()
{
    static FormatSettings settings = platformSettings();
    return settings;
}

QString FormatSettings::formatDate(const QDate &date) const
{
    if (!date.isValid())
        return QString();
    QString text;
    const QString &f = shortDateFormat;
    for (qsizetype i = 0; i < f.size();) {
        const QChar c = f.at(i).toLower();
        qsizetype run = 1;
        while (i + run < f.size() && f.at(i + run).toLower() == c)
            ++run;
        if (c == u'd')
            text +=
                run >= 2 ? QString::number(date.day()).rightJustified(2, u'0') : QString::number(date.day());
        else if (c == u'm')
            text += run >= 2 ? QString::number(date.month()).rightJustified(2, u'0')
                             : QString::number(date.month());
        else if (c == u'y')
            text += run >= 4 ? QString::number(date.year()).rightJustified(4, u'0')
                             : QString::number(date.year() % 100).rightJustified(2, u'0');
        else if (c == u'/')
            text += QString(run, dateSeparator);
        else
            text += f.mid(i, run);
        i += run;
    }
    return text;
}

QString FormatSettings::formatGrouped(qint64 value, int minDigits) const
{
    const bool negative = value < 0;
    const QString digits = QString::number(negative ? -value : value).rightJustified(minDigits, u'0');
    QString text;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += thousandSeparator;
        text += digits.at(i);
    }
    return negative ? u'-' + text : text;
}

void AcertaPadraoData()
{
    FormatSettings &settings = formatSettings();
    settings.shortDateFormat = QStringLiteral("dd/mm/yyyy");
    settings.shortDayNames = {QStringLiteral("Dom"), QStringLiteral("Seg"), QStringLiteral("Ter"),
                              QStringLiteral("Qua"), QStringLiteral("Qui"), QStringLiteral("Sex"),
                              QStringLiteral("Sab")};
    settings.longDayNames = {QStringLiteral("Domingo"), QStringLiteral("Segunda"), QStringLiteral("Terça"),
                             QStringLiteral("Quarta"),  QStringLiteral("Quinta"),  QStringLiteral("Sexta"),
                             QStringLiteral("Sábado")};
    settings.shortMonthNames = {QStringLiteral("Jan"), QStringLiteral("Fev"), QStringLiteral("Mar"),
                                QStringLiteral("Abr"), QStringLiteral("Mai"), QStringLiteral("Jun"),
                                QStringLiteral("Jul"), QStringLiteral("Ago"), QStringLiteral("Set"),
                                QStringLiteral("Out"), QStringLiteral("Nov"), QStringLiteral("Dez")};
    settings.longMonthNames = {
        QStringLiteral("Janeiro"), QStringLiteral("Fevereiro"), QStringLiteral("Março"),
        QStringLiteral("Abril"),   QStringLiteral("Maio"),      QStringLiteral("Junho"),
        QStringLiteral("Julho"),   QStringLiteral("Agosto"),    QStringLiteral("Setembro"),
        QStringLiteral("Outubro"), QStringLiteral("Novembro"),  QStringLiteral("Dezembro")};
}
