#include "UsersWindowFixture.h"

#include "common/TextHelpers.h"

#include <QClipboard>
#include <QSignalSpy>

// What the controls of the "Cadastro" page take from the keyboard and the clipboard, and the
// accelerators, which must act on the record as a click on their button does.
class TestUsersInput : public QObject
{
    Q_OBJECT

private slots:
    void acceleratorActsLikeAClick_data();
    void acceleratorActsLikeAClick();
    void nameTakesWhatTheDatabaseStores_data();
    void nameTakesWhatTheDatabaseStores();
    void accentedNameFillingTheColumnIsStored();
    void codeTakesDigitsOnly_data();
    void codeTakesDigitsOnly();
    void cpfTakesDigitsOnly();
};

namespace
{

// Pastes with the keyboard over whatever the control holds.
void cola(QLineEdit *controle, const QString &texto)
{
    controle->setFocus(Qt::TabFocusReason);
    controle->selectAll();
    QGuiApplication::clipboard()->setText(texto);
    QTest::keyClick(controle, Qt::Key_V, Qt::ControlModifier);
}

const QString kCpfValido = QStringLiteral("12345678909");

// The window over a database of its own, inserting a new user after a click on Novo.
struct Inclusao {
    UsersDatabase db;
    DialogScript dialogs; // outlives the window, whose closing hands over what was typed
    std::unique_ptr<TFrm_Usuarios_Estoc> janela = abreJanela();

    Inclusao() { clica(janela->Botao_Novo); }
};

} // namespace

void TestUsersInput::acceleratorActsLikeAClick_data()
{
    QTest::addColumn<QString>("pending"); // what is still in the focused control
    QTest::addColumn<bool>("accelerator");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("stored"); // the saved name; empty when nothing was saved
    for (const bool accelerator : {false, true}) {
        const char *how = accelerator ? "Alt+S" : "click";
        QTest::addRow("name typed, %s", how) << "name" << accelerator << QStringList() << "MARIA";
        QTest::addRow("CPF corrected to a wrong one, %s", how)
            << "cpf" << accelerator
            << QStringList({"CPF incorreto!", "Atenção, procedimento cancelado! Informe CPF"}) << "";
    }
}

void TestUsersInput::acceleratorActsLikeAClick()
{
    QFETCH(QString, pending);
    QFETCH(bool, accelerator);
    QFETCH(QString, stored);
    Inclusao inclusao;
    auto &[db, dialogs, janela] = inclusao;

    QLineEdit *foco = nullptr;
    if (pending == "name") {
        digita(janela->K2J, kCpfValido);
        digita(janela->C1J, "maria");
        foco = janela->C1J;
    } else {
        digita(janela->C1J, "ana");
        digita(janela->K2J, kCpfValido);
        QTest::keyClick(janela->K2J, Qt::Key_Tab); // the valid CPF reaches the record
        QCOMPARE(usuarios(janela.get())->text("CPF"), QStringLiteral("123.456.789-09"));
        digita(janela->K2J, "12345678900");
        foco = janela->K2J;
    }
    QCOMPARE(QApplication::focusWidget(), foco);

    QSignalSpy salvou(janela->Botao_Salvar, &QPushButton::clicked);
    if (accelerator)
        QTest::keyClick(foco, Qt::Key_S, Qt::AltModifier);
    else
        clica(janela->Botao_Salvar);
    QTRY_COMPARE(salvou.count(), 1);

    QTEST(dialogs.texts(), "messages");
    QCOMPARE(db.userCount(), stored.isEmpty() ? 0 : 1);
    if (!stored.isEmpty())
        QCOMPARE(db.column("0001", "USUARIO").toString(), stored);
    QCOMPARE(usuarios(janela.get())->state(),
             stored.isEmpty() ? RecordSet::State::Insert : RecordSet::State::Browse);
}

void TestUsersInput::nameTakesWhatTheDatabaseStores_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("typed"); // after pasting
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");
    const QString tooLong = QStringLiteral("Atenção, o campo Usuário aceita no máximo 100 caracteres!");
    QTest::newRow("ideogram typed")
        << ""
        << "josé 日"
        << "JOSÉ "
        << "Atenção, o caractere \"日\" (U+65E5) não pode ser gravado no banco de dados!";
    QTest::newRow("emoji pasted")
        << "ana 😀"
        << ""
        << ""
        << "Atenção, o caractere \"😀\" (U+1F600) não pode ser gravado no banco de dados!";
    QTest::newRow("micro sign keeps its form") << ""
                                               << "5 µg"
                                               << "5 µG"
                                               << "";
    QTest::newRow("sharp s stays one letter") << ""
                                              << "weiß"
                                              << "WEIß"
                                              << "";
    QTest::newRow("y with diaeresis has a capital") << ""
                                                    << "ÿ"
                                                    << "Ÿ"
                                                    << "";
    QTest::newRow("101 characters pasted") << QString(101, u'ã') << ""
                                           << "" << tooLong;
    QTest::newRow("101st character typed") << QString(100, u'a') << "b" << QString(100, u'A') << tooLong;
}

void TestUsersInput::nameTakesWhatTheDatabaseStores()
{
    QFETCH(QString, pasted);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    Inclusao inclusao;
    auto &[db, dialogs, janela] = inclusao;

    if (!pasted.isEmpty())
        cola(janela->C1J, pasted);
    digita(janela->C1J, typed); // the focus is there already: typed at the end
    QCOMPARE(janela->C1J->text(), shown);
    if (message.isEmpty()) {
        QCoreApplication::processEvents();
        QCOMPARE(dialogs.texts(), QStringList());
    } else {
        QTRY_COMPARE(dialogs.texts(), QStringList({message}));
    }
    QTest::keyClick(janela->C1J, Qt::Key_Tab);
    QCOMPARE(usuarios(janela.get())->text("USUARIO"), shown);
}

void TestUsersInput::accentedNameFillingTheColumnIsStored()
{
    Inclusao inclusao;
    auto &[db, dialogs, janela] = inclusao;
    const QString nome = QStringLiteral("µ") + QString(98, u'ç') + QStringLiteral("ÿ");
    cola(janela->C1J, nome);
    digita(janela->K2J, kCpfValido);
    clica(janela->Botao_Salvar);

    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.texts().join('|')));
    QCOMPARE(db.column("0001", "USUARIO").toString(),
             QStringLiteral("µ") + QString(98, u'Ç') + QStringLiteral("Ÿ"));
}

void TestUsersInput::codeTakesDigitsOnly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted"); // after typing
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored"); // once the focus has left
    QTest::newRow("letters typed") << "a1b2"
                                   << ""
                                   << "12"
                                   << "0012";
    QTest::newRow("letters pasted") << ""
                                    << "A123"
                                    << "123"
                                    << "0123";
    QTest::newRow("five digits pasted") << ""
                                        << "12345"
                                        << "1234"
                                        << "1234";
    QTest::newRow("no digit pasted") << ""
                                     << "ZZZZ"
                                     << ""
                                     << "0000";
}

void TestUsersInput::codeTakesDigitsOnly()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    Inclusao inclusao;
    auto &[db, dialogs, janela] = inclusao;
    QCOMPARE(janela->K1J->text(), QStringLiteral("0001"));

    janela->K1J->clear();
    QTest::keyClicks(janela->K1J, typed);
    if (!pasted.isEmpty())
        cola(janela->K1J, pasted);
    QTEST(janela->K1J->text(), "shown");
    QTest::keyClick(janela->K1J, Qt::Key_Tab);
    QTEST(usuarios(janela.get())->text("IDUSUARIO"), "stored");
    QVERIFY(dialogs.seen().isEmpty());
}

void TestUsersInput::cpfTakesDigitsOnly()
{
    Inclusao inclusao;
    auto &[db, dialogs, janela] = inclusao;

    digita(janela->K2J, "+1a2+3b45678909"); // a "-" would jump to the dash, as a "." to its dot
    QCOMPARE(janela->K2J->text(), QStringLiteral("123.456.789-09"));
    QTest::keyClick(janela->K2J, Qt::Key_Tab);
    QCOMPARE(usuarios(janela.get())->text("CPF"), QStringLiteral("123.456.789-09"));
    QVERIFY(dialogs.seen().isEmpty());
}

USERS_TEST_MAIN(TestUsersInput)
#include "tst_input.moc"
