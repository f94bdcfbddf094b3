#include "shell/BrazilianSystemLocale.h"
#include "shell/EstocariumApplication.h"
#include "shell/StartUp.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>

// The file and print dialogs speak Brazilian Portuguese on a machine whose locale is another
// (here C.UTF-8, as a server installation or a bare container leaves it), as the program does.
class TestBrazilianLocale : public QObject
{
    Q_OBJECT

private slots:
    void fileListShowsBrazilianDatesAndSizes();
    void dialogsAndUnitsAreBrazilian();
    void machineLocaleStaysForTheLibraryAndOtherPrograms();
};

void TestBrazilianLocale::fileListShowsBrazilianDatesAndSizes()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("fotos"));
    QFile file(folder.path() + "/foto.jpg");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4485, 'x'));
    file.close();
    const QDateTime stamp(QDate(2026, 12, 11), QTime(9, 5));
    QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(stamp, QFileDevice::FileModificationTime));
    file.close();

    // The model behind the file dialog's list.
    QFileSystemModel model;
    const QModelIndex root = model.setRootPath(folder.path());
    QTRY_COMPARE(model.rowCount(root), 2);
    const QModelIndex row = model.index(folder.path() + "/foto.jpg");
    QCOMPARE(model.data(row.siblingAtColumn(1)).toString(), QStringLiteral("4,38 KiB"));
    QCOMPARE(model.data(row.siblingAtColumn(3)).toString(), QStringLiteral("11/12/2026 09:05"));
    // The type of a folder, which Qt's Portuguese catalogue lacks.
    QCOMPARE(model.data(model.index(folder.path() + "/fotos").siblingAtColumn(2)).toString(),
             QStringLiteral("Pasta"));
}

void TestBrazilianLocale::dialogsAndUnitsAreBrazilian()
{
    QCOMPARE(QLocale::system().name(), QStringLiteral("pt_BR"));
    QCOMPARE(QLocale::system().measurementSystem(), QLocale::MetricSystem);
    QFileDialog dialog(nullptr, QStringLiteral("Salvar"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto *lookIn = dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"));
    QVERIFY(lookIn);
    QVERIFY2(lookIn->text() != QStringLiteral("Look in:"), qPrintable(lookIn->text()));
}

// Xlib encodes window titles in the C library's locale, and a locale the machine lacks would
// leave it at "C": "Atenção" would reach the window manager as "AtenÃ§Ã£o".
void TestBrazilianLocale::machineLocaleStaysForTheLibraryAndOtherPrograms()
{
    QCOMPARE(QByteArray(std::setlocale(LC_CTYPE, nullptr)), QByteArray("C.UTF-8"));
    QCOMPARE(QByteArray(std::setlocale(LC_TIME, nullptr)), QByteArray("C.UTF-8"));
    QCOMPARE(qgetenv("LC_ALL"), QByteArray("C.UTF-8"));
    QVERIFY(!qEnvironmentVariableIsSet("LC_TIME"));
}

int main(int argc, char **argv)
{
    qputenv("LC_ALL", "C.UTF-8");
    qunsetenv("LC_TIME");
    BrazilianSystemLocale brazilian;
    EstocariumApplication app(argc, argv);
    brazilian.takeOver();
    installPortugueseTranslations(app);
    TestBrazilianLocale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_brazilianlocale.moc"
