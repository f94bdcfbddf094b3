#include "codec/Win1252.h"
#include "session/IniFile.h"
#include "session/uTotal.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// clientes.ini as the Windows profile functions read it, and the session values it leads to.
class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void iniValues_data();
    void iniValues();
    void iniIsReadAsUtf8OrWindows1252();
    void readmeSampleReadsAsDocumented();
    void unusualIniFiles_data();
    void unusualIniFiles();
    void profileAppliesForClientOne();
    void otherClientsGetNoProfile();
    void titlesKeyAndListsAlwaysSet();

private:
    void writeIni(const QByteArray &content);
    QTemporaryDir *m_dir = nullptr;
    QString m_previous;
};

void TestSession::init()
{
    m_previous = QDir::currentPath();
    m_dir = new QTemporaryDir;
    QDir::setCurrent(m_dir->path());
}

void TestSession::cleanup()
{
    QDir::setCurrent(m_previous);
    delete m_dir;
}

void TestSession::writeIni(const QByteArray &content)
{
    QFile file(m_dir->path() + "/clientes.ini");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestSession::iniValues_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("codigo");
    QTest::addColumn<bool>("web");
    QTest::addColumn<bool>("rede");
    QTest::addColumn<QString>("ipnome");

    QTest::newRow("plain") << QByteArray("[dados_cliente]\ncodigo=1\nweb=0\nrede=1\nipnome=servidor\n") << 1
                           << false << true << "servidor";
    QTest::newRow("names ignore case and blanks")
        << QByteArray("[ DADOS_Cliente ]\r\n  CODIGO  =  7 \r\n Web = 1\r\n") << 7 << true << false << "";
    QTest::newRow("hexadecimal code")
        << QByteArray("[dados_cliente]\ncodigo=0x1\n") << 1 << false << false << "";
    QTest::newRow("0x alone is not hexadecimal")
        << QByteArray("[dados_cliente]\ncodigo=0x\n") << 0 << false << false << "";
    QTest::newRow("word for a boolean keeps the default")
        << QByteArray("[dados_cliente]\nweb=yes\nrede=2\n") << 0 << false << true << "";
    QTest::newRow("number with trailing text")
        << QByteArray("[dados_cliente]\ncodigo=12abc\n") << 0 << false << false << "";
    QTest::newRow("commas and backslashes are text")
        << QByteArray("[dados_cliente]\nipnome=srv\\dados, sala 2\n") << 0 << false << false
        << "srv\\dados, sala 2";
    QTest::newRow("first key wins, other sections ignored")
        << QByteArray("[outra]\ncodigo=5\n[dados_cliente]\ncodigo=2\ncodigo=3\n") << 2 << false << false
        << "";
    QTest::newRow("no file content") << QByteArray() << 0 << false << false << "";
}

void TestSession::iniValues()
{
    QFETCH(QByteArray, content);
    writeIni(content);
    InicializaSessao();
    QTEST(ini_clientecodigo, "codigo");
    QTEST(Sistema_na_WEB, "web");
    QTEST(Sistema_na_Rede, "rede");
    QTEST(ini_clienteipnome, "ipnome");
}

void TestSession::iniIsReadAsUtf8OrWindows1252()
{
    writeIni("[dados_cliente]\nnome=Prefeitura de S\xC3\xA3o Jo\xC3\xA3o\n");
    InicializaSessao();
    QCOMPARE(ini_clientenome, QStringLiteral("Prefeitura de São João"));
    writeIni("[dados_cliente]\nnome=Prefeitura de S\xE3o Jo\xE3o\n");
    InicializaSessao();
    QCOMPARE(ini_clientenome, QStringLiteral("Prefeitura de São João"));
}

void TestSession::readmeSampleReadsAsDocumented()
{
    QFile readme(ESTOCARIUM_SOURCE_DIR + QString("/README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    const QByteArray text = readme.readAll();
    const qsizetype start = text.indexOf("```ini\n");
    QVERIFY(start >= 0);
    const qsizetype end = text.indexOf("```", start + 7);
    QVERIFY(end > start);
    writeIni(text.mid(start + 7, end - start - 7));

    InicializaSessao();

    QCOMPARE(ini_clientecodigo, 1);
    QCOMPARE(ini_clientenome, QStringLiteral("Prefeitura"));
    QCOMPARE(Sistema_na_WEB, false);
    QCOMPARE(Sistema_na_Rede, false);
    QCOMPARE(ini_clienteipnome, QString());
    // An empty caminho leaves the profile's path.
    QCOMPARE(Rede_Caminho, Rede_Caminho_WEB);
    QVERIFY(!Meses_Trabalho.isEmpty());
}

void TestSession::unusualIniFiles_data()
{
    // How clientes.ini is stored; "fifo" and a "link:" are no regular file and are never waited on.
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("read"); // its [dados_cliente] web=1 is taken
    QTest::newRow("UTF-16 little-endian with its mark") << "utf16le" << true;
    QTest::newRow("UTF-16 big-endian with its mark") << "utf16be" << true;
    QTest::newRow("over the limit, section at its top") << "oversized" << true;
    QTest::newRow("a link to a device that never ends") << "link:/dev/zero" << false;
    QTest::newRow("a pipe nobody writes to") << "fifo" << false;
}

void TestSession::unusualIniFiles()
{
    QFETCH(QString, stored);
    const QString path = m_dir->path() + "/clientes.ini";
    const QString ini = QStringLiteral("[dados_cliente]\r\nweb=1\r\nnome=São João\r\n");
    if (stored == "utf16le" || stored == "utf16be") {
        QStringEncoder encoder(stored == "utf16le" ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                               QStringEncoder::Flag::WriteBom);
        writeIni(encoder.encode(ini));
    } else if (stored == "oversized") {
        writeIni(ini.toUtf8() + ";" + QByteArray(2 * IniFile::kLargestFile, 'x') + "\nweb=0\n");
    } else if (stored.startsWith("link:")) {
        QVERIFY(QFile::link(stored.mid(5), path));
    } else {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    InicializaSessao();
    QFETCH(bool, read);
    QCOMPARE(Sistema_na_WEB, read);
    QCOMPARE(ini_clientenome, read ? QStringLiteral("São João") : QString());
}

void TestSession::profileAppliesForClientOne()
{
    writeIni("[dados_cliente]\ncodigo=1\n");
    InicializaSessao();
    QCOMPARE(Mes_Vero, QStringLiteral("01"));
    QCOMPARE(Ano_Vero, QStringLiteral("2018"));
    QCOMPARE(Meses_Trabalho, QStringList({"12/2018", "12/2017"}));
    QCOMPARE(Descricao_UA, QStringLiteral("0000"));
    QCOMPARE(Descricao_Versao, QStringLiteral("Versão - 2017"));
    QVERIFY(!Descricao_Cliente.isEmpty());
    QCOMPARE(Cor_Pauta_True, QStringLiteral("clMoneyGreen"));
    QCOMPARE(Cor_Pauta_False, QStringLiteral("clWhite"));
    QCOMPARE(Cor_Cabecalho, QStringLiteral("clSilver"));
    QVERIFY(Rede_Caminho_WEB.endsWith("/LICITACAO.FDB"));
    QCOMPARE(Rede_Caminho, Rede_Caminho_WEB);
}

void TestSession::otherClientsGetNoProfile()
{
    writeIni("[dados_cliente]\ncodigo=1\n");
    InicializaSessao();
    writeIni("[dados_cliente]\ncodigo=2\nipnome=srv\ncaminho=srv:/dados/LICITACAO.FDB\n");
    InicializaSessao();
    QCOMPARE(Mes_Vero, QStringLiteral("01"));
    QCOMPARE(Ano_Vero, QStringLiteral("2016"));
    QVERIFY(Meses_Trabalho.isEmpty());
    QVERIFY(Descricao_Cliente.isEmpty());
    QVERIFY(Cor_Pauta_True.isEmpty());
    QCOMPARE(Rede_IP_NOME, QStringLiteral("srv"));
    QCOMPARE(Rede_2_Pontos, QStringLiteral(":"));
    QCOMPARE(Rede_Caminho, QStringLiteral("srv:/dados/LICITACAO.FDB"));
}

void TestSession::titlesKeyAndListsAlwaysSet()
{
    writeIni("");
    InicializaSessao();
    QCOMPARE(DiretorioCorrente, m_dir->path());
    QCOMPARE(Descricao_Sistema_Estoc, QStringLiteral("Estocarium / Estocarium - 2017"));
    QCOMPARE(Descricao_Sistema_Global, QStringLiteral("E s t o c a r i u m - 2017"));
    QVERIFY(Chave >= 10 && Chave <= 99);
    QCOMPARE(Unidades_Produtos.size(), 11);
    QCOMPARE(Unidades_Produtos.first(), QStringLiteral("UNIDADE"));
    QCOMPARE(Unidades_Produtos.last(), QStringLiteral("LITRO"));
    QVERIFY(Rede_IP_NOME.isEmpty() && Rede_2_Pontos.isEmpty() && Rede_Caminho.isEmpty());
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
