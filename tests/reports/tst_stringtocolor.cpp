#include "reports/StringToColor.h"

#include <QTest>
#include <stdexcept>

class TestStringToColor : public QObject
{
    Q_OBJECT

private slots:
    void convertsNamesAndNumbers_data();
    void convertsNamesAndNumbers();
    void rejectsWhatIsNeither_data();
    void rejectsWhatIsNeither();
};

void TestStringToColor::convertsNamesAndNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("clMoneyGreen") << "clMoneyGreen" << QColor(192, 220, 192);
    QTest::newRow("clSilver") << "clSilver" << QColor(192, 192, 192);
    QTest::newRow("clWhite") << "clWhite" << QColor(255, 255, 255);
    QTest::newRow("names ignore case") << "CLMONEYGREEN" << QColor(192, 220, 192);
    QTest::newRow("clRed is blue-green-red 0000FF") << "clRed" << QColor(255, 0, 0);
    // Whole numbers are laid out blue, green, red from the high byte down.
    QTest::newRow("decimal") << "12639424" << QColor(192, 220, 192);
    QTest::newRow("dollar hexadecimal") << "$C0DCC0" << QColor(192, 220, 192);
    QTest::newRow("0x hexadecimal") << "0x0000FF" << QColor(255, 0, 0);
    QTest::newRow("zero") << "0" << QColor(0, 0, 0);
}

void TestStringToColor::convertsNamesAndNumbers()
{
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    const ReportColour converted = StringToColor(text);
    QCOMPARE(QColor(converted.red, converted.green, converted.blue, converted.alpha), colour);
}

void TestStringToColor::rejectsWhatIsNeither_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "";
    QTest::newRow("unknown name") << "clVerde";
    QTest::newRow("words") << "verde claro";
    QTest::newRow("negative") << "-1";
    QTest::newRow("beyond 24 bits") << "16777216";
    QTest::newRow("bad hexadecimal") << "$G0";
}

void TestStringToColor::rejectsWhatIsNeither()
{
    QFETCH(QString, text);
    try {
        StringToColor(text);
        QFAIL("converted");
    } catch (const std::runtime_error &error) {
        QCOMPARE(QString::fromUtf8(error.what()),
                 QStringLiteral("'%1' não é um valor de cor válido").arg(text));
    }
}

QTEST_GUILESS_MAIN(TestStringToColor)
#include "tst_stringtocolor.moc"
