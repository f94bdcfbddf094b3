#include "UsersFixture.h"

#include "db/FbError.h"
#include "users/ui/TdmUsuarios_Estoc.h"

#include <QWidget>

// The user data module's rules on the record being edited, and its search list.
class TestDmUsuarios : public QObject
{
    Q_OBJECT

private slots:
    void newRecordGetsNextCodeStampAndFirstAccess_data();
    void newRecordGetsNextCodeStampAndFirstAccess();
    void noNewCodeWhenEveryCodeIsTaken();
    void editingStampsTheChangeOnly();
    void stampsAreCutToTheirColumn();
    void codeIsZeroFilled_data();
    void codeIsZeroFilled();
    void cpfIsChecked_data();
    void cpfIsChecked();
    void searchListIsUpperCaseInCodeOrder();
};

namespace
{

RecordSet *loaded(TdmUsuarios_Estoc &dm, const QString &code)
{
    dm.cdsUsuarios->close();
    dm.cdsUsuarios->setParam("UM", code);
    dm.cdsUsuarios->open();
    return dm.cdsUsuarios;
}

} // namespace

void TestDmUsuarios::newRecordGetsNextCodeStampAndFirstAccess_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("next");
    QTest::newRow("empty table") << QStringList() << "0001";
    QTest::newRow("greatest, not the first gap") << QStringList({"0001", "0002", "0010"}) << "0011";
    QTest::newRow("carry into the hundreds") << QStringList({"0099"}) << "0100";
    QTest::newRow("last code left") << QStringList({"9998"}) << "9999";
    QTest::newRow("codes that are not numbers") << QStringList({"0001", "A123", "ZZZZ", "12 A"}) << "0002";
    QTest::newRow("9999 taken: lowest free") << QStringList({"0001", "0002", "0004", "9999"}) << "0003";
    QTest::newRow("only 9999") << QStringList({"9999"}) << "0001";
}

void TestDmUsuarios::newRecordGetsNextCodeStampAndFirstAccess()
{
    QFETCH(QStringList, codes);
    UsersDatabase db;
    for (const QString &code : codes)
        db.addUser(code, "USUARIO " + code, "123.456.789-09");
    QWidget owner;
    TdmUsuarios_Estoc dm(&owner);
    RecordSet *users = loaded(dm, "0001");

    users->append();
    QTEST(users->text("IDUSUARIO"), "next");
    QCOMPARE(users->text("DIGITADO"), kCarimbo);
    QCOMPARE(users->text("PRIMEIRO_ACESSO"), QStringLiteral("S"));
    QVERIFY(users->isNull("ALTERADO"));
    QCOMPARE(ComandoPesquisa, QStringLiteral("SELECT IDUSUARIO FROM USUARIOS_ESTOC"));
}

void TestDmUsuarios::noNewCodeWhenEveryCodeIsTaken()
{
    UsersDatabase db;
    db.fillEveryCode();
    QWidget owner;
    TdmUsuarios_Estoc dm(&owner);
    RecordSet *users = loaded(dm, "0001");

    try {
        users->append();
        QFAIL("a new record got a code");
    } catch (const fb::Error &e) {
        QCOMPARE(e.text(), QStringLiteral("Atenção, não há código livre para um novo usuário: os códigos de "
                                          "0001 a 9999 estão todos em uso."));
    }
    // The rule stopped after the stamp, before the code and the flag.
    QCOMPARE(users->text("DIGITADO"), kCarimbo);
    QVERIFY(users->isNull("IDUSUARIO"));
    QVERIFY(users->isNull("PRIMEIRO_ACESSO"));
}

void TestDmUsuarios::editingStampsTheChangeOnly()
{
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25");
    QWidget owner;
    TdmUsuarios_Estoc dm(&owner);
    RecordSet *users = loaded(dm, "0001");

    users->edit();
    QCOMPARE(users->text("ALTERADO"), kCarimbo);
    QCOMPARE(users->text("DIGITADO"), QStringLiteral("ANTES"));
    users->cancel();
    QVERIFY(users->isNull("ALTERADO"));
}

void TestDmUsuarios::stampsAreCutToTheirColumn()
{
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25");
    Usuario_Nome = QString(100, u'Ç'); // CPF, " - " and this name make 117 characters
    const QString stamp = (kOperadorCPF + " - " + Usuario_Nome).left(100);
    QWidget owner;
    TdmUsuarios_Estoc dm(&owner);
    RecordSet *users = loaded(dm, "0001");

    users->edit();
    QCOMPARE(users->text("ALTERADO"), stamp);
    users->cancel();
    users->append();
    QCOMPARE(users->text("DIGITADO"), stamp);
}

void TestDmUsuarios::codeIsZeroFilled_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("code");
    QTest::newRow("one digit") << "5"
                               << "0005";
    QTest::newRow("two digits") << "12"
                                << "0012";
    QTest::newRow("four digits unchanged") << "0005"
                                           << "0005";
    QTest::newRow("emptied") << ""
                             << "0000";
}

void TestDmUsuarios::codeIsZeroFilled()
{
    QFETCH(QString, typed);
    UsersDatabase db;
    QWidget owner;
    TdmUsuarios_Estoc dm(&owner);
    RecordSet *users = loaded(dm, "0001");
    users->append();
    users->setValue("IDUSUARIO", typed);
    QTEST(users->text("IDUSUARIO"), "code");
}

void TestDmUsuarios::cpfIsChecked_data()
{
    QTest::addColumn<QString>("cpf");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("valid, formatted") << "123.456.789-09" << true;
    QTest::newRow("wrong check digit") << "123.456.789-00" << false;
    QTest::newRow("repeated digits") << "111.111.111-11" << false;
    QTest::newRow("incomplete") << "123.456" << false;
    QTest::newRow("letter in a valid number") << "123.456.789X09" << false;
}

void TestDmUsuarios::cpfIsChecked()
{
    QFETCH(QString, cpf);
    QFETCH(bool, accepted);
    UsersDatabase db;
    QWidget owner;
    TdmUsuarios_Estoc dm(&owner);
    RecordSet *users = loaded(dm, "0001");
    users->append();

    DialogScript dialogs;
    users->setValue("CPF", cpf);
    if (accepted) {
        QCOMPARE(users->text("CPF"), cpf);
        QVERIFY(dialogs.seen().isEmpty());
    } else {
        QVERIFY(users->isNull("CPF"));
        QCOMPARE(dialogs.onlyText(), QStringLiteral("CPF incorreto!"));
    }
}

void TestDmUsuarios::searchListIsUpperCaseInCodeOrder()
{
    UsersDatabase db;
    db.addUser("0002", "joão da silva", "529.982.247-25");
    db.addUser("0001", "Ana", "123.456.789-09");
    QWidget owner;
    TdmUsuarios_Estoc dm(&owner);
    dm.cdsPesquisa->open();
    QCOMPARE(dm.cdsPesquisa->recordCount(), 2);
    QCOMPARE(dm.cdsPesquisa->valueAt(0, 0).toString(), QStringLiteral("0001"));
    QCOMPARE(dm.cdsPesquisa->valueAt(0, 1).toString(), QStringLiteral("ANA"));
    QCOMPARE(dm.cdsPesquisa->valueAt(1, 1).toString().left(5), QStringLiteral("JOÃO "));
}

USERS_TEST_MAIN(TestDmUsuarios)
#include "tst_dmusuarios.moc"
