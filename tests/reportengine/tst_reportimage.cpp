#include "reportengine/ReportImageConversion.h"
#include "reportengine/ReportJpeg.h"
#include "reportengine/ReportPng.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTest>

class TestReportImage : public QObject
{
    Q_OBJECT

private slots:
    void jpegDecodesAsQtDoes_data();
    void jpegDecodesAsQtDoes();
    void jpegRefusesWhatIsNoPicture_data();
    void jpegRefusesWhatIsNoPicture();
    void pngAndQtImagesKeepThePixels_data();
    void pngAndQtImagesKeepThePixels();

private:
    static QImage drawing(QImage::Format format);
    static QByteArray jpeg(const QImage &image, bool progressive = false);
    static QByteArray claimingSize(QByteArray jpeg, quint16 side);
};

// Gradients and edges, so that the decoder's rounding and upsampling show.
QImage TestReportImage::drawing(QImage::Format format)
{
    QImage image(61, 47, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 4, y * 5, 255 - x * 2, 255 - y * 3));
    QPainter painter(&image);
    painter.fillRect(10, 8, 20, 15, QColor(230, 180, 20));
    painter.end();
    return image.convertToFormat(format);
}

// The same file with its frame header claiming side x side pixels.
QByteArray TestReportImage::claimingSize(QByteArray jpeg, quint16 side)
{
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    Q_ASSERT(frame > 0);
    for (const qsizetype at : {frame + 5, frame + 7}) {
        jpeg[at] = char(side >> 8);
        jpeg[at + 1] = char(side & 0xFF);
    }
    return jpeg;
}

QByteArray TestReportImage::jpeg(const QImage &image, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(85);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        qFatal("cannot write a JPEG: %s", qPrintable(writer.errorString()));
    return bytes;
}

void TestReportImage::jpegDecodesAsQtDoes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QImage colour = drawing(QImage::Format_RGB32);
    QTest::newRow("colour") << jpeg(colour);
    QTest::newRow("grey") << jpeg(drawing(QImage::Format_Grayscale8));
    QTest::newRow("progressive") << jpeg(colour, true);
    // A file cut among its pixels still gives a picture, the rest filled in by libjpeg.
    const QByteArray whole = jpeg(colour);
    QTest::newRow("cut among the pixels") << whole.left(whole.size() * 2 / 3);
    for (const char *name : {"logo", "splash"}) {
        QFile picture(QStringLiteral(":/images/%1.jpg").arg(QLatin1String(name)));
        QVERIFY(picture.open(QIODevice::ReadOnly));
        QTest::newRow(name) << picture.readAll();
    }
}

// The same bytes into the PDF whether the picture came through Qt (the program) or not (the tool).
void TestReportImage::jpegDecodesAsQtDoes()
{
    QFETCH(QByteArray, bytes);
    const QImage byQt = QImage::fromData(bytes, "JPEG");
    QVERIFY(!byQt.isNull());
    const std::optional<ReportImage> decoded = decodeJpeg(bytes);
    QVERIFY(decoded);
    QCOMPARE(decoded->width, byQt.width());
    QCOMPARE(decoded->height, byQt.height());
    QVERIFY(!decoded->hasAlpha());
    QVERIFY(*decoded == toReportImage(byQt));
}

void TestReportImage::jpegRefusesWhatIsNoPicture_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    drawing(QImage::Format_RGB32).save(&buffer, "PNG");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("a PNG") << png;
    QTest::newRow("text") << QByteArray("LOGOMARCA");
    QTest::newRow("only the start marker") << QByteArray("\xFF\xD8\xFF", 3);
    QTest::newRow("cut in its header") << jpeg(drawing(QImage::Format_RGB32)).left(40);
    QTest::newRow("a header claiming 60000 x 60000")
        << claimingSize(jpeg(drawing(QImage::Format_RGB32)), 60000);
}

void TestReportImage::jpegRefusesWhatIsNoPicture()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!decodeJpeg(bytes));
}

void TestReportImage::pngAndQtImagesKeepThePixels_data()
{
    QTest::addColumn<QImage>("image");
    QTest::newRow("opaque") << drawing(QImage::Format_RGB32);
    QTest::newRow("with opacity") << drawing(QImage::Format_ARGB32);
    QTest::newRow("one pixel") << drawing(QImage::Format_RGB32).copy(3, 3, 1, 1);
}

// The HTML export's PNG and the painter's image hold what the report model holds.
void TestReportImage::pngAndQtImagesKeepThePixels()
{
    QFETCH(QImage, image);
    const ReportImage picture = toReportImage(image);
    QCOMPARE(picture.hasAlpha(), image.hasAlphaChannel());

    const QImage fromPng = QImage::fromData(encodePng(picture), "PNG");
    QVERIFY(!fromPng.isNull());
    QVERIFY(toReportImage(fromPng) == picture);

    const QImage painted = toQImage(picture);
    QCOMPARE(painted.size(), image.size());
    QVERIFY(toReportImage(painted) == picture);
}

QTEST_GUILESS_MAIN(TestReportImage)

#include "tst_reportimage.moc"
