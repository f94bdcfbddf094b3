#include <QImage>
#include <QTest>

// The built-in pictures reach every program that links the core, without registration calls.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void builtInPicturesLoad_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("splash") << ":/images/splash.jpg" << QSize(800, 601);
        QTest::newRow("background") << ":/images/background.jpg" << QSize(1333, 541);
        QTest::newRow("about") << ":/images/about.jpg" << QSize(532, 400);
    }

    void builtInPicturesLoad()
    {
        QFETCH(QString, path);
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QTEST(image.size(), "size");
    }
};

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
