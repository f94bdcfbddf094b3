#include "users/CadastroDeUsuarios.h"

#include "session/uTotal.h"
#include "users/CpfDoCadastro.h"
#include "users/ProximoCodigo.h"

namespace
{

QString carimbo()
{
    return Usuario_CPF + QStringLiteral(" - ") + Usuario_Nome;
}

} // namespace

CadastroDeUsuarios::CadastroDeUsuarios(SqlConnection *connection, QObject *parent)
    : QObject(parent), dspUsuarios(connection), dspPesquisa(connection), dspBusca(connection),
      cdsUsuarios(new RecordSet(this)), cdsPesquisa(new RecordSet(this)), cdsBusca(new RecordSet(this))
{
    using Kind = FieldDef::Kind;

    dspUsuarios.setSql(
        QStringLiteral("SELECT A.IDUSUARIO, A.USUARIO, A.CPF, A.SENHA, A.CONFIRMA, A.NIVEL, A.B_FOTO, "
                       "A.PRIMEIRO_ACESSO, A.DIGITADO, A.ALTERADO FROM USUARIOS_ESTOC A "
                       "WHERE A.IDUSUARIO=:UM"));
    dspUsuarios.setUpdateTable(QStringLiteral("USUARIOS_ESTOC"));
    cdsUsuarios->setProvider(&dspUsuarios);
    // Labelled as on the "Cadastro" page.
    cdsUsuarios->setFieldDefs({
        {.name = QStringLiteral("IDUSUARIO"),
         .size = 4,
         .required = true,
         .key = true,
         .label = QStringLiteral("Código")},
        {.name = QStringLiteral("USUARIO"), .size = 100, .label = QStringLiteral("Usuário")},
        {.name = QStringLiteral("CPF"), .size = 14, .required = true, .label = QStringLiteral("C P F")},
        {.name = QStringLiteral("SENHA"), .size = 20, .label = QStringLiteral("Senha")},
        {.name = QStringLiteral("CONFIRMA"), .size = 20, .label = QStringLiteral("Confirma Senha")},
        {.name = QStringLiteral("NIVEL"), .size = 50, .label = QStringLiteral("Nível")},
        {QStringLiteral("B_FOTO"), Kind::Binary},
        {.name = QStringLiteral("PRIMEIRO_ACESSO"), .size = 1, .label = QStringLiteral("Acesso Liberado")},
        // The stamps: CPF, " - " and a name of up to 100 characters do not always fit.
        {.name = QStringLiteral("DIGITADO"), .size = 100, .cutToSize = true},
        {.name = QStringLiteral("ALTERADO"), .size = 100, .cutToSize = true},
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

void CadastroDeUsuarios::cdsUsuariosAfterInsert()
{
    cdsUsuarios->setValue(QStringLiteral("DIGITADO"), carimbo());

    ComandoPesquisa = QStringLiteral("SELECT IDUSUARIO FROM USUARIOS_ESTOC");
    cdsBusca->close();
    cdsBusca->setCommandText(ComandoPesquisa);
    cdsBusca->open();
    const QString codigo = proximoCodigo(*cdsBusca);
    cdsUsuarios->setValue(QStringLiteral("IDUSUARIO"), codigo);
    cdsUsuarios->setValue(QStringLiteral("PRIMEIRO_ACESSO"), QStringLiteral("S"));
}

void CadastroDeUsuarios::cdsUsuariosAfterEdit()
{
    cdsUsuarios->setValue(QStringLiteral("ALTERADO"), carimbo());
}

void CadastroDeUsuarios::cdsUsuariosIDUSUARIOChange()
{
    const QString codigo = cdsUsuarios->text(QStringLiteral("IDUSUARIO"));
    if (codigo.size() < 4)
        cdsUsuarios->setValue(QStringLiteral("IDUSUARIO"), codigo.rightJustified(4, u'0'));
}

void CadastroDeUsuarios::cdsUsuariosCPFChange()
{
    if (cpfIncorreto(cdsUsuarios->text(QStringLiteral("CPF")))) {
        cpfRecusado(QStringLiteral("CPF incorreto!"));
        cdsUsuarios->setValue(QStringLiteral("CPF"), QVariant());
    }
}
