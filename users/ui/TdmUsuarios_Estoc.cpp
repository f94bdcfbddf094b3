#include "users/ui/TdmUsuarios_Estoc.h"

#include "common/TextHelpers.h"
#include "db/FbError.h"
#include "session/uTotal.h"
#include "widgets/Dialogs.h"

#include <QWidget>
#include <algorithm>

namespace
{

constexpr int kMaiorCodigo = 9999;

// The code of a new user: one above the greatest numeric code, or, once 9999 is taken, the
// lowest one free. A code that is not a number (written by another program) is passed over
// rather than stopping every new user.
QString proximoCodigo(const RecordSet &codigos)
{
    QList<bool> usado(kMaiorCodigo + 1, false);
    int maior = 0;
    for (int i = 0; i < codigos.recordCount(); ++i) {
        const QString codigo = codigos.valueAt(i, 0).toString().trimmed();
        if (codigo.isEmpty() || Retorna_Apenas_Numeros(codigo) != codigo)
            continue;
        const int numero = codigo.toInt();
        if (numero > kMaiorCodigo)
            continue; // not a code of four digits
        usado[numero] = true;
        maior = std::max(maior, numero);
    }
    int proximo = maior + 1;
    if (proximo > kMaiorCodigo)
        proximo = int(usado.indexOf(false, 1));
    if (proximo < 0)
        throw fb::Error(QStringLiteral("Atenção, não há código livre para um novo usuário: os códigos de "
                                       "0001 a %1 estão todos em uso.")
                            .arg(kMaiorCodigo));
    return QStringLiteral("%1").arg(proximo, 4, 10, QLatin1Char('0'));
}

// Typed through the mask, a CPF holds digits, dots and the dash; anything else came from
// somewhere else and is not a CPF, even when its digits are.
bool soDigitosDaMascara(const QString &cpf)
{
    return std::all_of(cpf.cbegin(), cpf.cend(),
                       [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.' || c == u'-'; });
}

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

void TdmUsuarios_Estoc::cdsUsuariosAfterInsert()
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
    if (!cpf.isEmpty() && (!soDigitosDaMascara(cpf) || !VerificaCPF(cpf))) {
        Dialogs::message(m_owner, QStringLiteral("CPF incorreto!"));
        cdsUsuarios->setValue(QStringLiteral("CPF"), QVariant());
    }
}
