#include "codec/Win1252.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

class TestWin1252 : public QObject
{
    Q_OBJECT

private slots:
    void boundaryCharacters_data();
    void boundaryCharacters();
    void everyByteDecodesAsQtDoes();
    void everyCharacterEncodesAsQtDoes();
};

namespace
{

QString units(std::initializer_list<char16_t> list)
{
    QString text;
    for (const char16_t unit : list)
        text.append(QChar(unit));
    return text;
}

} // namespace

// What reaches the database, the INI file and the PDF: the bytes, and whether every character had
// one. A character without a byte becomes one '?' per code unit, as the report pages print it.
void TestWin1252::boundaryCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("storable");
    QTest::newRow("ASCII and Latin-1") << QStringLiteral("Ação ÿ") << QByteArray("A\xE7\xE3o \xFF") << true;
    QTest::newRow("euro sign at 0x80") << QStringLiteral("€") << QByteArray("\x80") << true;
    QTest::newRow("OE ligature at 0x8C") << QStringLiteral("Œœ") << QByteArray("\x8C\x9C") << true;
    QTest::newRow("Y diaeresis at 0x9F") << QStringLiteral("Ÿ") << QByteArray("\x9F") << true;
    QTest::newRow("the five undefined bytes as their C1 controls")
        << units({0x81, 0x8D, 0x8F, 0x90, 0x9D}) << QByteArray("\x81\x8D\x8F\x90\x9D") << true;
    QTest::newRow("C1 control whose byte holds the euro sign") << units({0x80}) << QByteArray("?") << false;
    QTest::newRow("C1 control whose byte holds the OE ligature") << units({0x8C}) << QByteArray("?") << false;
    QTest::newRow("letter outside the set") << QStringLiteral("Łó") << QByteArray("?\xF3") << false;
    QTest::newRow("capital mu outside the set") << QStringLiteral("Μ") << QByteArray("?") << false;
    QTest::newRow("pair outside the basic plane") << QStringLiteral("a😀") << QByteArray("a??") << false;
    QTest::newRow("lone high surrogate at the end") << units({'a', 0xD800}) << QByteArray("a?") << false;
    QTest::newRow("lone low surrogate") << units({0xDC00, 'b'}) << QByteArray("?b") << false;
    QTest::newRow("empty") << QString() << QByteArray() << true;
}

void TestWin1252::boundaryCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, storable);
    bool ok = !storable;
    QCOMPARE(fb::Win1252::fromUnicode(text, &ok), bytes);
    QCOMPARE(ok, storable);
    if (storable)
        QCOMPARE(fb::Win1252::toUnicode(bytes), text);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = fb::Win1252::byteFor(text.at(i).unicode());
        QCOMPARE(byte < 0, bytes.at(i) == '?');
        if (byte >= 0)
            QCOMPARE(fb::Win1252::charFor(static_cast<unsigned char>(byte)), text.at(i).unicode());
    }
}

// Qt's converter (ICU) is the independent reference for the table: the same character for each
// byte, the undefined five included.
void TestWin1252::everyByteDecodesAsQtDoes()
{
    QStringDecoder qt("windows-1252", QStringDecoder::Flag::Stateless);
    QVERIFY(qt.isValid());
    QByteArray all(256, Qt::Uninitialized);
    for (int byte = 0; byte < 256; ++byte)
        all[byte] = char(byte);
    const QString expected = qt.decode(all);
    QVERIFY(!qt.hasError());
    QCOMPARE(fb::Win1252::toUnicode(all), expected);
}

// The same set of storable characters as Qt's converter, each to the same byte.
void TestWin1252::everyCharacterEncodesAsQtDoes()
{
    QVERIFY(QStringEncoder("windows-1252").isValid());
    int storable = 0;
    for (int unit = 0; unit <= 0xFFFF; ++unit) {
        if (QChar::isSurrogate(char32_t(unit)))
            continue;
        const QChar c{char16_t(unit)};
        // A converter of its own for each character: an error stays with the converter.
        QStringEncoder qt("windows-1252", QStringEncoder::Flag::Stateless);
        const QByteArray expected = qt.encode(QStringView(&c, 1));
        const int byte = fb::Win1252::byteFor(char16_t(unit));
        if (qt.hasError()) {
            QVERIFY2(byte < 0, qPrintable(QString::number(unit, 16)));
            continue;
        }
        ++storable;
        QCOMPARE(byte, int(static_cast<unsigned char>(expected.at(0))));
    }
    QCOMPARE(storable, 256);
}

QTEST_GUILESS_MAIN(TestWin1252)
#include "tst_win1252.moc"
