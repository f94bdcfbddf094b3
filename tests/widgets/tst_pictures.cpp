#include "widgets/DecodedPictures.h"
#include "widgets/PictureBox.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// Pictures shown more than once at start-up (TELA_PRINCIPAL.JPG in the splash and in the main
// window) are decoded once, and a file that changes meanwhile is read again.
class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void fileIsDecodedOnceUntilItChanges();
    void backgroundDecodeIsSharedAndNotRepeated();
    void fileChangedDuringBackgroundDecodeIsReadAgain();
    void unreadableFileInBackgroundKeepsBuiltInPicture();
    void pipeInThePicturesPlaceIsNotWaitedOn();
};

namespace
{

QString savedPicture(const QTemporaryDir &dir, const QSize &size, const QColor &colour)
{
    const QString path = dir.filePath("TELA_PRINCIPAL.JPG");
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture.save(path, "JPG") ? path : QString();
}

} // namespace

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

// The splash starts the decode and the main window takes the same picture: one decode in all.
void TestPictures::backgroundDecodeIsSharedAndNotRepeated()
{
    QTemporaryDir dir;
    const QString path = savedPicture(dir, QSize(40, 30), Qt::blue);
    QVERIFY(!path.isEmpty());
    const int before = DecodedPictures::decodeCount();

    PictureBox splash(PictureBox::Fit::ScaleDownTopLeft);
    splash.setBuiltInPicture(QStringLiteral(":/images/splash.jpg"));
    splash.loadFileInBackground(path);
    PictureBox main(PictureBox::Fit::Centre);
    QVERIFY(main.loadFile(path));
    QCOMPARE(splash.picture().size(), QSize(40, 30));
    QCOMPARE(splash.picture().cacheKey(), main.picture().cacheKey());
    QCOMPARE(DecodedPictures::decodeCount() - before, 1);
}

void TestPictures::fileChangedDuringBackgroundDecodeIsReadAgain()
{
    QTemporaryDir dir;
    const QString path = savedPicture(dir, QSize(40, 30), Qt::blue);
    QVERIFY(!path.isEmpty());
    DecodedPictures::prefetch(path);
    // Another size, so the file's size changes whatever its modification time says.
    QVERIFY(!savedPicture(dir, QSize(64, 48), Qt::green).isEmpty());
    QCOMPARE(DecodedPictures::picture(path).size(), QSize(64, 48));
}

void TestPictures::unreadableFileInBackgroundKeepsBuiltInPicture()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("TELA_PRINCIPAL.JPG");
    QFile broken(path);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    const int before = DecodedPictures::decodeCount();

    PictureBox splash(PictureBox::Fit::ScaleDownTopLeft);
    splash.setBuiltInPicture(QStringLiteral(":/images/splash.jpg"));
    splash.loadFileInBackground(path);
    QCOMPARE(splash.picture().size(), QSize(800, 601));
    // The failed file is tried once, then the built-in picture once.
    QCOMPARE(DecodedPictures::decodeCount() - before, 2);
}

// A pipe nobody writes to, as a share that hangs would: the start-up goes on with the built-in
// picture instead of waiting for ever.
void TestPictures::pipeInThePicturesPlaceIsNotWaitedOn()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("TELA_PRINCIPAL.JPG");
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);

    PictureBox splash(PictureBox::Fit::ScaleDownTopLeft);
    splash.setBuiltInPicture(QStringLiteral(":/images/splash.jpg"));
    splash.loadFileInBackground(path);
    QCOMPARE(splash.picture().size(), QSize(800, 601));
    PictureBox main(PictureBox::Fit::Centre);
    QVERIFY(!main.loadFile(path));
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
