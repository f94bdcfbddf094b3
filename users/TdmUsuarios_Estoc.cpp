#include "users/TdmUsuarios_Estoc.h"

#include "common/TextHelpers.h"
#include "shell/Dialogs.h"
#include "shell/db/FbError.h"
#include "shell/uTotal.h"

#include <QWidget>

namespace
{

// Four-digit codes: the pattern would give 10000 a fifth digit, which the column cannot hold.
constexpr int kMaiorCodigo = 9999;

QString carimbo()
{
    return Usuario_CPF + QStringLiteral(" - ") + Usuario_Nome;
}

} // namespace

TdmUsuarios_Estoc::TdmUsuarios_Estoc(QWidget *owner)
    : QObject(owner), cdsUsuarios(new RecordSet(this)), cdsPesquisa(new RecordSet(this)),
      cdsBusca(new RecordSet(this)), m_owner(owner)
{
    using Kind = FieldDef::Kind;

    dspUsuarios.setSql(
        QStringLiteral("SELECT A.IDUSUARIO, A.USUARIO, A.CPF, A.SENHA, A.CONFIRMA, A.NIVEL, A.B_FOTO, "
                       "A.PRIMEIRO_ACESSO, A.DIGITADO, A.ALTERADO FROM USUARIOS_ESTOC A "
                       "WHERE A.IDUSUARIO=:UM"));
    dspUsuarios.setUpdateTable(QStringLiteral("USUARIOS_ESTOC"));
    cdsUsuarios->setProvider(&dspUsuarios);
    cdsUsuarios->setFieldDefs({
        {QStringLiteral("IDUSUARIO"), Kind::Text, 4, true, true},
        {QStringLiteral("USUARIO"), Kind::Text, 100},
        {QStringLiteral("CPF"), Kind::Text, 14, true},
        {QStringLiteral("SENHA"), Kind::Text, 20},
        {QStringLiteral("CONFIRMA"), Kind::Text, 20},
        {QStringLiteral("NIVEL"), Kind::Text, 50},
        {QStringLiteral("B_FOTO"), Kind::Binary},
        {QStringLiteral("PRIMEIRO_ACESSO"), Kind::Text, 1},
        {QStringLiteral("DIGITADO"), Kind::Text, 100},
        {QStringLiteral("ALTERADO"), Kind::Text, 100},
    });
    cdsUsuarios->setParam(QStringLiteral("UM"), QString());
    cdsUsuarios->setAfterInsert([this] { cdsUsuariosAfterInsert(); });
    cdsUsuarios->setAfterEdit([this] { cdsUsuariosAfterEdit(); });
    cdsUsuarios->setFieldChange(QStringLiteral("IDUSUARIO"), [this] { cdsUsuariosIDUSUARIOChange(); });
    cdsUsuarios->setFieldChange(QStringLiteral("CPF"), [this] { cdsUsuariosCPFChange(); });

    dspPesquisa.setSql(QStringLiteral("SELECT A.IDUSUARIO, UPPER(A.USUARIO) AS USUARIO, UPPER(A.CPF) AS CPF "
                                      "FROM USUARIOS_ESTOC A ORDER BY A.IDUSUARIO"));
    cdsPesquisa->setProvider(&dspPesquisa);
    cdsPesquisa->setFieldDefs({
        {QStringLiteral("IDUSUARIO"), Kind::Text, 4, true, true},
        {QStringLiteral("USUARIO"), Kind::Text, 100},
        {QStringLiteral("CPF"), Kind::Text, 14, true},
    });

    cdsBusca->setProvider(&dspBusca);
}

void TdmUsuarios_Estoc::cdsUsuariosAfterInsert()
{
    cdsUsuarios->setValue(QStringLiteral("DIGITADO"), carimbo());

    ComandoPesquisa = QStringLiteral("SELECT COALESCE(MAX(IDUSUARIO),'0') FROM USUARIOS_ESTOC");
    cdsBusca->close();
    cdsBusca->setCommandText(ComandoPesquisa);
    cdsBusca->open();

    QString codigo = QStringLiteral("0001");
    if (!cdsBusca->isEmpty()) {
        const QString maior = cdsBusca->value(0).toString();
        bool numero = false;
        const int valor = maior.toInt(&numero);
        if (!numero)
            throw fb::Error(QStringLiteral("'%1' não é um número inteiro válido.").arg(maior));
        if (valor >= kMaiorCodigo)
            throw fb::Error(
                QStringLiteral("Atenção, não há código livre para um novo usuário: o código %1 já "
                               "está em uso e os códigos têm quatro dígitos.")
                    .arg(kMaiorCodigo));
        codigo = QStringLiteral("%1").arg(valor + 1, 4, 10, QLatin1Char('0'));
    }
    cdsUsuarios->setValue(QStringLiteral("IDUSUARIO"), codigo);
    cdsUsuarios->setValue(QStringLiteral("PRIMEIRO_ACESSO"), QStringLiteral("S"));
}

void TdmUsuarios_Estoc::cdsUsuariosAfterEdit()
{
    cdsUsuarios->setValue(QStringLiteral("ALTERADO"), carimbo());
}

void TdmUsuarios_Estoc::cdsUsuariosIDUSUARIOChange()
{
    const QString codigo = cdsUsuarios->text(QStringLiteral("IDUSUARIO"));
    if (codigo.size() < 4)
        cdsUsuarios->setValue(QStringLiteral("IDUSUARIO"), codigo.rightJustified(4, u'0'));
}

void TdmUsuarios_Estoc::cdsUsuariosCPFChange()
{
    const QString cpf = cdsUsuarios->text(QStringLiteral("CPF"));
    if (!cpf.isEmpty() && !VerificaCPF(cpf)) {
        Dialogs::message(m_owner, QStringLiteral("CPF incorreto!"));
        cdsUsuarios->setValue(QStringLiteral("CPF"), QVariant());
    }
}
