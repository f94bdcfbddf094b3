#include "dbmaint/ui/Gauge.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

class TestGauge : public QObject
{
    Q_OBJECT

private slots:
    void percentDone_isRoundedDown_data();
    void percentDone_isRoundedDown();
    void addProgress_stopsAtTheMaximum();
    void paint_fillsTheDonePartInRedOnWhite();
};

void TestGauge::percentDone_isRoundedDown_data()
{
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("percent");
    QTest::newRow("start") << 106 << 0 << 0;
    QTest::newRow("first step of 106") << 106 << 1 << 0;
    QTest::newRow("two thirds") << 3 << 2 << 66;
    QTest::newRow("last but one of 28") << 28 << 27 << 96;
    QTest::newRow("last but one of 106") << 106 << 105 << 99;
    QTest::newRow("full") << 28 << 28 << 100;
    QTest::newRow("no maximum") << 0 << 0 << 0;
}

void TestGauge::percentDone_isRoundedDown()
{
    QFETCH(int, maximum);
    QFETCH(int, progress);
    QFETCH(int, percent);
    Gauge gauge;
    gauge.setMaxValue(maximum);
    gauge.setProgress(progress);
    QCOMPARE(gauge.percentDone(), percent);
}

void TestGauge::addProgress_stopsAtTheMaximum()
{
    Gauge gauge;
    gauge.setMaxValue(2);
    QSignalSpy advanced(&gauge, &Gauge::advanced);
    for (int i = 0; i < 3; ++i)
        gauge.addProgress(1);
    QCOMPARE(gauge.progress(), 2);
    QCOMPARE(advanced.size(), 3);
    QCOMPARE(advanced.last().first().toInt(), 2);
    gauge.setMaxValue(1);
    QCOMPARE(gauge.progress(), 1);
}

void TestGauge::paint_fillsTheDonePartInRedOnWhite()
{
    Gauge gauge;
    gauge.resize(200, 24);
    gauge.setMaxValue(4);
    gauge.setProgress(2);
    const QImage image = gauge.grab().toImage();
    QCOMPARE(image.pixelColor(20, 4), QColor(Qt::red));
    QCOMPARE(image.pixelColor(180, 4), QColor(Qt::white));
}

QTEST_MAIN(TestGauge)
#include "tst_gauge.moc"
