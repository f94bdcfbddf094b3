#include "DialogScript.h"
#include "MissingRequirement.h"
#include "SchemaInspection.h"
#include "SmallDisk.h"
#include "TestDatabase.h"
#include "db/FbError.h"
#include "db/ServiceManager.h"
#include "dbmaint/AtualizacaoProtegida.h"
#include "dbmaint/CopiaDeSeguranca.h"
#include "dbmaint/MarcaDeAtualizacao.h"
#include "dbmaint/TextosDaCopia.h"
#include "dbmaint/ui/Gauge.h"
#include "dbmaint/ui/TFrm_AtualizaII.h"
#include "dbmaint/ui/TFrm_AtualizarBanco.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The copy taken before a schema update and the marker of a run under way: where the copy goes,
// which ones are kept, what a copy that cannot be made does to the run, and what the windows say
// when the last run never ended.
class TestSafetyCopy : public QObject
{
    Q_OBJECT

private slots:
    void placesAndTexts_followTheDatabase_data();
    void placesAndTexts_followTheDatabase();
    void copy_isTakenNamedAndRotated_data();
    void copy_isTakenNamedAndRotated();
    void copy_isARestorableBackup();
    void windows_tellTheInterruptedRunAndNameTheCopy_data();
    void windows_tellTheInterruptedRunAndNameTheCopy();
    void fullDisk_stopsTheRunBeforeAnythingChanges_data();
    void fullDisk_stopsTheRunBeforeAnythingChanges();

private:
    // An empty folder on a 4 MiB file system of this process's own; empty when none can be made.
    SmallDisk m_smallDisk;
};

namespace
{

const QDateTime kAgora(QDate(2026, 2, 1), QTime(10, 0, 0));

QString copyName(int day)
{
    return QStringLiteral("LICITACAO-copia-2026-01-%1-120000.fbk").arg(day, 2, 10, QLatin1Char('0'));
}

QStringList copiesIn(const QString &folder)
{
    return QDir(folder).entryList({"*.fbk"}, QDir::Files, QDir::Name | QDir::Reversed);
}

std::unique_ptr<CatalogueWindow> window(bool second)
{
    if (second)
        return std::make_unique<TFrm_AtualizaII>();
    return std::make_unique<TFrm_AtualizarBanco>();
}

} // namespace

// A local file has its copy and marker beside it; a database on a server has its copy on the
// server's disk, beside the database, and its marker in this user's state folder, and putting the
// copy back is done on the server.
void TestSafetyCopy::placesAndTexts_followTheDatabase_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("copy");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("howToRestore");
    QTest::newRow("local file")
        << "/srv/estoque/LICITACAO.FDB"
        << "/srv/estoque/LICITACAO-copia-2026-02-01-100000.fbk"
        << "/srv/estoque/LICITACAO.FDB.atualizando"
        << "A cópia de segurança feita antes da atualização está neste computador em C. "
           "Para recolocá-la, feche o programa em todas as estações e execute neste "
           "computador: estocarium-db restore /srv/estoque C";
    QTest::newRow("office server")
        << "almox:/srv/estoque/LICITACAO.FDB"
        << "/srv/estoque/LICITACAO-copia-2026-02-01-100000.fbk"
        << "<state>/estocarium/almox__srv_estoque_LICITACAO.FDB.atualizando"
        << "A cópia de segurança feita antes da atualização está no servidor almox em C. "
           "Para recolocá-la, feche o programa em todas as estações e execute no "
           "servidor almox: estocarium-db restore /srv/estoque C";
    QTest::newRow("internet server with port")
        << "banco.prefeitura.example/3051:/dados/LICITACAO.FDB"
        << "/dados/LICITACAO-copia-2026-02-01-100000.fbk"
        << "<state>/estocarium/banco.prefeitura.example_3051__dados_LICITACAO.FDB.atualizando"
        << "A cópia de segurança feita antes da atualização está no servidor banco.prefeitura.example/3051 "
           "em C. "
           "Para recolocá-la, feche o programa em todas as estações e execute no servidor "
           "banco.prefeitura.example/3051: estocarium-db restore /dados C";
}

void TestSafetyCopy::placesAndTexts_followTheDatabase()
{
    QFETCH(QString, database);
    QFETCH(QString, marker);
    QFETCH(QString, howToRestore);
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    QTEST(CopiaDeSeguranca::caminhoPara(database, kAgora), "copy");
    QCOMPARE(MarcaDeAtualizacao(database).arquivo(), marker.replace("<state>", state.path()));
    QCOMPARE(comoRecolocarACopia(database, "C"), howToRestore);
    qunsetenv("XDG_STATE_HOME");
}

void TestSafetyCopy::copy_isTakenNamedAndRotated_data()
{
    QTest::addColumn<int>("olderCopies"); // dated 1, 2... January
    QTest::addColumn<int>("markedCopy");  // the day of the copy an interrupted run named; 0: no marker
    QTest::addColumn<QStringList>("kept");
    const QString now = "LICITACAO-copia-2026-02-01-100000.fbk";
    QTest::newRow("first copy") << 0 << 0 << QStringList{now};
    QTest::newRow("two older ones kept") << 2 << 0 << QStringList{now, copyName(2), copyName(1)};
    QTest::newRow("the oldest of four removed") << 3 << 0 << QStringList{now, copyName(3), copyName(2)};
    QTest::newRow("three of six removed") << 5 << 0 << QStringList{now, copyName(5), copyName(4)};
    QTest::newRow("the copy an interrupted run needs stays")
        << 5 << 1 << QStringList{now, copyName(5), copyName(4), copyName(1)};
}

void TestSafetyCopy::copy_isTakenNamedAndRotated()
{
    QFETCH(int, olderCopies);
    QFETCH(int, markedCopy);
    QFETCH(QStringList, kept);
    TestDatabase db;
    for (int day = 1; day <= olderCopies; ++day) {
        QFile older(db.folder() + u'/' + copyName(day));
        QVERIFY(older.open(QIODevice::WriteOnly));
    }
    const MarcaDeAtualizacao marca(db.path());
    QCOMPARE(marca.arquivo(), db.path() + ".atualizando");
    const QDateTime inicio(QDate(2026, 1, markedCopy ? markedCopy : 1), QTime(12, 0));
    const QString marked = markedCopy ? db.folder() + u'/' + copyName(markedCopy) : QString();
    if (markedCopy)
        QVERIFY(marca.grava({inicio, marked}).isEmpty());

    {
        AtualizacaoProtegida protecao(*db.connection());
        QCOMPARE(protecao.interrompida().has_value(), markedCopy != 0);
        QVERIFY(!protecao.comeca(kAgora));
        QCOMPARE(protecao.copia(), db.folder() + "/LICITACAO-copia-2026-02-01-100000.fbk");
        QVERIFY(QFileInfo(protecao.copia()).size() > 0);
        QCOMPARE(copiesIn(db.folder()), kept);
        // Under way: the marker names the copy taken before the first run that did not end.
        const std::optional<MarcaDeAtualizacao::Conteudo> under = marca.le();
        QVERIFY(under);
        QCOMPARE(under->copia, markedCopy ? marked : protecao.copia());
        QCOMPARE(under->inicio, markedCopy ? inicio : kAgora);
        QCOMPARE(protecao.copiaARecolocar(), under->copia);
    }
    QVERIFY(!QFile::exists(marca.arquivo()));
}

void TestSafetyCopy::copy_isARestorableBackup()
{
    TestDatabase db;
    db.exec("CREATE TABLE GUARDADA (K INTEGER NOT NULL PRIMARY KEY)");
    db.exec("INSERT INTO GUARDADA VALUES (7)");
    QString copia;
    {
        AtualizacaoProtegida protecao(*db.connection());
        QVERIFY(!protecao.comeca(kAgora));
        copia = protecao.copia();
    }
    db.connection()->close();
    const QString restored = db.folder() + "/RESTAURADO.FDB";
    fb::restoreDatabase(copia, restored, db.connection()->attachOptions(), std::chrono::seconds(30));
    db.connection()->setParam("Database", restored);
    QCOMPARE(db.scalar("SELECT K FROM GUARDADA").toInt(), 7);
    // Restoring never writes over a file.
    QVERIFY_THROWS_EXCEPTION(fb::Error, fb::restoreDatabase(copia, restored, db.connection()->attachOptions(),
                                                            std::chrono::seconds(30)));
    QCOMPARE(db.scalar("SELECT K FROM GUARDADA").toInt(), 7);
}

void TestSafetyCopy::windows_tellTheInterruptedRunAndNameTheCopy_data()
{
    QTest::addColumn<bool>("second");
    QTest::addColumn<QString>("caption");
    QTest::newRow("update I") << false << "Atualizar Banco de Dados";
    QTest::newRow("update II") << true << "Atualiza Banco de Dados II";
}

// The notice comes first, then the run takes its own copy and goes on; once it has ended the
// marker is gone.
void TestSafetyCopy::windows_tellTheInterruptedRunAndNameTheCopy()
{
    QFETCH(bool, second);
    QFETCH(QString, caption);
    TestDatabase db;
    db.createSchema();
    const QString earlier = db.folder() + u'/' + copyName(5);
    const MarcaDeAtualizacao marca(db.path());
    QVERIFY(marca.grava({QDateTime(QDate(2026, 1, 5), QTime(12, 0, 0)), earlier}).isEmpty());
    DialogScript dialogs;
    const std::unique_ptr<CatalogueWindow> janela = window(second);
    janela->show();

    QTest::mouseClick(janela->FBAtualiza, Qt::LeftButton);

    QCOMPARE(dialogs.seen().size(), 1);
    QCOMPARE(dialogs.seen().first().kind, Dialogs::Kind::Message);
    QCOMPARE(
        dialogs.seen().first().text,
        QString("Atenção, a última atualização do banco de dados, iniciada em 05/01/2026 às 12:00:00, não "
                "terminou (o programa foi fechado à força ou o computador desligou) e o banco pode ter "
                "ficado incompleto. Execute a atualização de novo; se ela não puder terminar, recoloque a "
                "cópia de segurança.\n"
                "A cópia de segurança feita antes da atualização está neste computador em %2. Para "
                "recolocá-la, feche o programa em todas as estações e execute neste computador: "
                "estocarium-db restore %1 %2")
            .arg(db.folder(), earlier));
    const QStringList copies = copiesIn(db.folder());
    QCOMPARE(copies.size(), 1);
    QCOMPARE(janela->windowTitle(),
             caption + " | Cópia de segurança do banco de dados: " + db.folder() + u'/' + copies.first());
    QVERIFY(!QFile::exists(marca.arquivo()));
    QVERIFY(janela->FBAtualiza->isEnabled());
}

void TestSafetyCopy::fullDisk_stopsTheRunBeforeAnythingChanges_data()
{
    windows_tellTheInterruptedRunAndNameTheCopy_data();
}

void TestSafetyCopy::fullDisk_stopsTheRunBeforeAnythingChanges()
{
    QFETCH(bool, second);
    const QString disk = m_smallDisk.emptied();
    if (disk.isEmpty())
        SKIP_FOR_MISSING("a file system of the test's own needs root (unshare, mount)");
    TestDatabase db;
    db.connection()->close();
    const QString path = disk + "/LICITACAO.FDB";
    QVERIFY(QFile::copy(db.path(), path));
    {
        // Every byte left taken, so the database is whole and only the copy finds no room.
        QFile filler(disk + "/OCUPADO");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    db.connection()->setParam("Database", path);
    DialogScript dialogs;
    const std::unique_ptr<CatalogueWindow> janela = window(second);
    janela->show();

    QTest::mouseClick(janela->FBAtualiza, Qt::LeftButton);

    QCOMPARE(dialogs.seen().size(), 1);
    QCOMPARE(dialogs.seen().first().kind, Dialogs::Kind::Error);
    QString text = dialogs.seen().first().text;
    text.replace(QRegularExpression("\\d{4}-\\d\\d-\\d\\d-\\d{6}"), "<quando>");
    QCOMPARE(text,
             QString("Atenção, não foi possível fazer a cópia de segurança do banco de dados em "
                     "%1/LICITACAO-copia-<quando>.fbk, e a atualização não foi feita: o banco nunca é "
                     "alterado sem uma cópia. Nada foi alterado.\n"
                     "Atenção, o disco do banco de dados está cheio: a operação não foi concluída. Libere "
                     "espaço no disco e tente de novo.")
                 .arg(disk));
    QVERIFY2(dialogs.seen().first().detail.contains("free disk space exhausted"),
             qPrintable(dialogs.seen().first().detail));
    QCOMPARE(janela->Gauge1->progress(), 0);
    QVERIFY(janela->FBAtualiza->isEnabled());
    QCOMPARE(QDir(disk).entryList(QDir::Files), QStringList({"LICITACAO.FDB", "OCUPADO"}));
    QCOMPARE(inspect::tables(db.connection()), QStringList());
    db.connection()->close();
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestSafetyCopy test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_safetycopy.moc"
