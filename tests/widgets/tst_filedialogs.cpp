#include "shell/StartUp.h"
#include "widgets/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

// The file dialogs as the person gets them: in the proposed name's folder, every column of the
// detail list readable, the name and the filter chosen given back.
class TestFileDialogs : public QObject
{
    Q_OBJECT

private slots:
    void saveDialog_showsEveryColumnWholeAndGivesTheChoiceBack();
};

void TestFileDialogs::saveDialog_showsEveryColumnWholeAndGivesTheChoiceBack()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("pasta"));
    QFile file(folder.path() + "/Relatório dos Usuários 11-12-2026.pdf");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(59034, 'x'));
    file.close();
    const QString proposed = folder.path() + "/Relatório novo.pdf";
    const QString filters = QStringLiteral("Documento PDF (*.pdf);;Texto (*.txt)");

    QStringList cut;
    QString openedIn;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        openedIn = dialog->directory().absolutePath();
        auto *details = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
        QVERIFY(details);
        const QAbstractItemModel *model = details->model();
        QVERIFY(QTest::qWaitFor([&] { return model->rowCount(details->rootIndex()) == 2; }));
        const QFontMetrics metrics = details->fontMetrics();
        QHeaderView *columns = details->header();
        for (int column = 0; column <= 3; ++column) {
            const bool inView = columns->sectionViewportPosition(column) + columns->sectionSize(column) <=
                                details->viewport()->width();
            if (!inView || columns->sectionSize(column) < columns->sectionSizeHint(column))
                cut << model->headerData(column, Qt::Horizontal).toString();
            for (int row = 0; row < 2; ++row) {
                const QString text = model->index(row, column, details->rootIndex()).data().toString();
                if (columns->sectionSize(column) <
                    metrics.horizontalAdvance(text) + metrics.averageCharWidth())
                    cut << text;
            }
        }
        dialog->selectNameFilter(QStringLiteral("Texto (*.txt)"));
        static_cast<QDialog *>(dialog)->accept();
    });
    QString filter;
    const QString chosen =
        Dialogs::saveFileName(nullptr, QStringLiteral("Salvar relatório"), proposed, filters, &filter);

    QCOMPARE(openedIn, folder.path());
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(" | ")));
    // Another type chosen gives the proposed name that type's extension.
    QCOMPARE(chosen, folder.path() + "/Relatório novo.txt");
    QCOMPARE(filter, QStringLiteral("Texto (*.txt)"));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installPortugueseTranslations(app);
    TestFileDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_filedialogs.moc"
