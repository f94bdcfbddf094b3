#include "signin/ConferenciaDoAcesso.h"

#include "common/PasswordEncoding.h"
#include "common/TextHelpers.h"
#include "db/SqlQuery.h"
#include "session/uTotal.h"

namespace
{

const QString kSenhaDoPrimeiroAcesso = QStringLiteral("1");

bool senhaConfere(const UsuarioDoAcesso &usuario, const QString &senha)
{
    return Decodificar(usuario.senhaCodificada, Chave) == senha;
}

SessaoDoUsuario sessaoDe(const UsuarioDoAcesso &usuario, const QString &periodo)
{
    SessaoDoUsuario sessao;
    sessao.mes = periodo.mid(0, 2);
    sessao.ano = periodo.mid(3, 4);
    sessao.codigo = usuario.codigo;
    sessao.nome = usuario.nome;
    sessao.cpf = usuario.cpf;
    sessao.administrador = Decodificar(usuario.nivelCodificado, Chave) == QLatin1String("ADMINISTRADOR");
    return sessao;
}

} // namespace

bool UsuarioDoAcesso::primeiroAcesso() const
{
    return Decodificar(senhaCodificada, Chave) == kSenhaDoPrimeiroAcesso;
}

void SessaoDoUsuario::registra() const
{
    Mes_Vero = mes;
    Ano_Vero = ano;
    Usuario_Codigo = codigo;
    Usuario_Nome = nome;
    Usuario_CPF = cpf;
    uAdministradorTemporario = false;
    uAdministrador = administrador;
}

QString SessaoDoUsuario::sufixoDoTitulo() const
{
    QString sufixo = QStringLiteral(" - ") + mes + QStringLiteral("/") + ano +
                     QStringLiteral(" | Usuário: ") + cpf + QStringLiteral(" - ") + nome;
    if (administrador)
        sufixo += QStringLiteral("   * ADMINISTRADOR *   ");
    return sufixo;
}

QString ConferenciaDoAcesso::codigoCompleto(const QString &digitado)
{
    return digitado.rightJustified(4, u'0');
}

UsuarioDoAcesso ConferenciaDoAcesso::busca(const QString &codigoDigitado)
{
    UsuarioDoAcesso usuario;
    usuario.codigo = codigoCompleto(codigoDigitado);
    m_sqlBusca.close();
    m_sqlBusca.setSql(
        QStringLiteral("SELECT USUARIO,SENHA,CPF,NIVEL FROM USUARIOS_ESTOC WHERE IDUSUARIO=:IDUSUARIO"));
    m_sqlBusca.setParam(QStringLiteral("IDUSUARIO"), usuario.codigo);
    m_sqlBusca.open();
    if (m_sqlBusca.rowCount() == 0)
        return usuario;
    const auto coluna = [this](const char *name) {
        return m_sqlBusca.value(0, QLatin1String(name)).toString();
    };
    usuario.nome = coluna("USUARIO");
    usuario.cpf = coluna("CPF");
    usuario.senhaCodificada = encodedFromColumn(coluna("SENHA"));
    usuario.nivelCodificado = encodedFromColumn(coluna("NIVEL"));
    return usuario;
}

ResultadoDaEntrada ConferenciaDoAcesso::entra(const UsuarioDoAcesso &usuario, const QString &senha,
                                              const QString &periodo)
{
    ResultadoDaEntrada resultado;
    // A user without a name counts as no user: the check looks at the name.
    if (usuario.nome.isEmpty()) {
        resultado.recusa = QStringLiteral("Primeiro informe usuário válido!");
    } else if (!senhaConfere(usuario, senha)) {
        resultado.recusa = QStringLiteral("Atenção, senha inválida!");
        resultado.focaSenha = true;
    } else {
        resultado.sessao = sessaoDe(usuario, periodo);
        resultado.pedeNovaSenha = senha == kSenhaDoPrimeiroAcesso;
    }
    return resultado;
}

std::optional<SessaoDoUsuario> ConferenciaDoAcesso::aoFechar(const UsuarioDoAcesso &usuario,
                                                             const QString &senha, const QString &periodo)
{
    if (usuario.nome.isEmpty() || !senhaConfere(usuario, senha))
        return std::nullopt;
    return sessaoDe(usuario, periodo);
}

std::optional<QString> ConferenciaDoAcesso::trocaSenha(const QString &codigo, const QString &novaSenha)
{
    if (novaSenha.size() > kMaiorSenha)
        return QStringLiteral(
                   "Atenção, a senha pode ter no máximo %1 caracteres; nada foi gravado. Informe uma "
                   "senha mais curta.")
            .arg(kMaiorSenha);
    if (TemCaractereDeControle(novaSenha))
        return QStringLiteral("Atenção, a senha não pode ter caracteres de controle (tabulação, quebra de "
                              "linha ou outros); nada foi gravado. Informe outra senha.");
    QString codificada;
    try {
        codificada = encodedToColumn(Codificar(novaSenha, Chave));
    } catch (const UnstorableEncoding &recusa) {
        return recusa.text();
    }
    // One statement, so the password and its confirmation are written together or not at all.
    // Bound, not pasted into the statement: a typed quote stays part of the password.
    m_sqlBusca.close();
    m_sqlBusca.setSql(QStringLiteral("UPDATE USUARIOS_ESTOC SET SENHA=:VALOR, CONFIRMA=:VALOR "
                                     "WHERE IDUSUARIO=:IDUSUARIO"));
    m_sqlBusca.setParam(QStringLiteral("VALOR"), codificada);
    m_sqlBusca.setParam(QStringLiteral("IDUSUARIO"), codigo);
    m_sqlBusca.execSQL();
    return std::nullopt;
}
