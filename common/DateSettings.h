#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The process-wide date and number format settings that every date or number text of the
// program uses. Separators start as the platform's locale gives them; AcertaPadraoData sets
// the short date format and the Portuguese day and month names.
struct FormatSettings {
    QString shortDateFormat; // "dd/mm/yyyy": '/' stands for dateSeparator
    QChar dateSeparator;
    QChar thousandSeparator;
    QChar decimalSeparator;
    QStringList shortDayNames; // index 0 = Sunday
    QStringList longDayNames;
    QStringList shortMonthNames; // index 0 = January
    QStringList longMonthNames;

    // Formats with shortDateFormat: d, dd, m, mm, yy, yyyy and '/' are understood.
    QString formatDate(const QDate &date) const;
    // A whole number with thousandSeparator between groups of three digits, at least
    // minDigits digits long (zero-filled), as the pattern "###,###,000" asks for minDigits 3.
    QString formatGrouped(qint64 value, int minDigits) const;
};

FormatSettings &formatSettings();

// Short date format "dd/mm/yyyy" and the Portuguese names; run on every main-window activation.
void AcertaPadraoData();
