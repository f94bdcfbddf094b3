#include "widgets/DecodedPictures.h"
#include "widgets/PictureBox.h"

#include <QTemporaryDir>
#include <QTest>

// Pictures shown more than once at start-up (TELA_PRINCIPAL.JPG in the splash and in the main
// window) are decoded once, and a file that changes meanwhile is read again.
class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void fileIsDecodedOnceUntilItChanges();
};

void TestPictures::fileIsDecodedOnceUntilItChanges()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("TELA_PRINCIPAL.JPG");
    QImage first(40, 30, QImage::Format_RGB32);
    first.fill(Qt::blue);
    QVERIFY(first.save(path, "JPG"));

    PictureBox splash(PictureBox::Fit::ScaleDownTopLeft);
    PictureBox main(PictureBox::Fit::Centre);
    QVERIFY(splash.loadFile(path));
    QVERIFY(main.loadFile(path));
    // One decoded image shared by both, not two equal ones.
    QCOMPARE(main.picture().cacheKey(), splash.picture().cacheKey());

    QImage second(64, 48, QImage::Format_RGB32);
    second.fill(Qt::green);
    QVERIFY(second.save(path, "JPG"));
    QVERIFY(main.loadFile(path));
    QCOMPARE(main.picture().size(), QSize(64, 48));
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
