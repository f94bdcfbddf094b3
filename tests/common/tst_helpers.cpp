#include "common/DateSettings.h"
#include "common/PasswordEncoding.h"
#include "common/TextHelpers.h"

#include <QTest>

class TestHelpers : public QObject
{
    Q_OBJECT

private slots:
    void keyFilter_data();
    void keyFilter();
    void digitsOnly_data();
    void digitsOnly();
    void cpf_data();
    void cpf();
    void encodingShiftsEachCodeUnit();
    void encodingRoundTripsEveryCodeUnit();
    void unitsAboveByteRangeAreRefused();
    void portugueseDateSettings();
    void groupedNumbers_data();
    void groupedNumbers();
};

void TestHelpers::keyFilter_data()
{
    QTest::addColumn<QChar>("key");
    QTest::addColumn<bool>("passes");
    QTest::newRow("digit") << QChar('7') << true;
    QTest::newRow("backspace") << QChar(8) << true;
    QTest::newRow("enter") << QChar(13) << true;
    QTest::newRow("letter") << QChar('a') << false;
    QTest::newRow("space") << QChar(' ') << false;
    QTest::newRow("comma") << QChar(',') << false;
    QTest::newRow("hyphen") << QChar('-') << false;
    QTest::newRow("escape") << QChar(27) << false;
    QTest::newRow("arabic-indic digit") << QChar(0x0663) << false;
}

void TestHelpers::keyFilter()
{
    QFETCH(QChar, key);
    QFETCH(bool, passes);
    QCOMPARE(Digitacao0_9(key), passes ? key : QChar(0));
}

void TestHelpers::digitsOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("digits");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("no digits") << "abc-./"
                               << "";
    QTest::newRow("formatted cpf") << "123.456.789-09"
                                   << "12345678909";
    QTest::newRow("full-width digits dropped") << QStringLiteral("1２3") << "13";
}

void TestHelpers::digitsOnly()
{
    QFETCH(QString, text);
    QTEST(Retorna_Apenas_Numeros(text), "digits");
}

void TestHelpers::cpf_data()
{
    QTest::addColumn<QString>("cpf");
    QTest::addColumn<bool>("valid");
    QTest::newRow("formatted, first check digit 0") << "123.456.789-09" << true;
    QTest::newRow("digits only") << "12345678909" << true;
    QTest::newRow("letters mixed in") << "1a2b3.456.789-09" << true;
    QTest::newRow("wrong second digit") << "123.456.789-00" << false;
    QTest::newRow("wrong first digit") << "123.456.789-19" << false;
    QTest::newRow("repeated digits") << "111.111.111-11" << false;
    QTest::newRow("ten digits") << "1234567890" << false;
    QTest::newRow("twelve digits") << "123456789090" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("another valid") << "529.982.247-25" << true;
}

void TestHelpers::cpf()
{
    QFETCH(QString, cpf);
    QTEST(VerificaCPF(cpf), "valid");
}

void TestHelpers::encodingShiftsEachCodeUnit()
{
    QCOMPARE(Codificar("", 10), QString());
    QCOMPARE(Codificar("abc", 10), QStringLiteral("klm"));
    QCOMPARE(Decodificar("klm", 10), QStringLiteral("abc"));
    const QString high(QChar(char16_t(65530)));
    const QString wrapped = Codificar(high, 10);
    QCOMPARE(wrapped.at(0).unicode(), char16_t(4));
    QCOMPARE(Decodificar(wrapped, 10), high);
    QString original = "abc";
    Codificar(original, 10);
    QCOMPARE(original, QStringLiteral("abc"));
}

void TestHelpers::encodingRoundTripsEveryCodeUnit()
{
    for (int unit = 0; unit <= 0xFFFF; ++unit) {
        const QString text = QString(QChar(char16_t(unit)));
        if (Decodificar(Codificar(text, 37), 37) != text)
            QFAIL(qPrintable(QString::number(unit)));
    }
    // Stored form: every code unit up to 0xFF reads back as itself.
    for (int unit = 0; unit <= 0xFF; ++unit) {
        const QString text = QString(QChar(char16_t(unit)));
        QCOMPARE(encodedFromColumn(encodedToColumn(text)), text);
    }
}

void TestHelpers::unitsAboveByteRangeAreRefused()
{
    QVERIFY_THROWS_EXCEPTION(UnstorableEncoding, encodedToColumn(Codificar(QStringLiteral("ú"), 10)));
    QVERIFY_THROWS_EXCEPTION(UnstorableEncoding, encodedToColumn(QStringLiteral("€")));
}

void TestHelpers::portugueseDateSettings()
{
    AcertaPadraoData();
    AcertaPadraoData();
    FormatSettings &settings = formatSettings();
    settings.dateSeparator = u'/';
    QCOMPARE(settings.formatDate(QDate(2018, 3, 1)), QStringLiteral("01/03/2018"));
    QCOMPARE(settings.longMonthNames.at(2), QStringLiteral("Março"));
    QCOMPARE(settings.shortDayNames.at(6), QStringLiteral("Sab"));
    QCOMPARE(settings.longDayNames.at(6), QStringLiteral("Sábado"));
    QCOMPARE(settings.shortDayNames.size(), 7);
    QCOMPARE(settings.shortMonthNames.size(), 12);
}

void TestHelpers::groupedNumbers_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "000";
    QTest::newRow("small") << qint64(7) << "007";
    QTest::newRow("thousands") << qint64(9999) << "9.999";
    QTest::newRow("millions") << qint64(1234567) << "1.234.567";
}

void TestHelpers::groupedNumbers()
{
    QFETCH(qint64, value);
    FormatSettings settings = formatSettings();
    settings.thousandSeparator = u'.';
    QTEST(settings.formatGrouped(value, 3), "text");
}

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
