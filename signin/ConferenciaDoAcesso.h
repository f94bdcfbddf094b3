#pragma once

#include <QString>
#include <optional>

class SqlQuery;

// The user a typed code belongs to, as the login dialog holds it: name and CPF as stored,
// password and level still encoded. All but the code are empty when the code matches no user.
struct UsuarioDoAcesso {
    QString codigo; // four digits, as looked up
    QString nome;
    QString cpf;
    QString senhaCodificada;
    QString nivelCodificado;

    // The stored password is the first-access one, "1".
    bool primeiroAcesso() const;
};

// What a sign-in records in the session state.
struct SessaoDoUsuario {
    QString mes;
    QString ano;
    QString codigo;
    QString nome;
    QString cpf;
    bool administrador = false;

    // Writes Mes_Vero, Ano_Vero, the signed-in user and the administrator flags.
    void registra() const;
    // What the main window's title gains after its title before sign-in: period, CPF and name,
    // and the administrator's mark.
    QString sufixoDoTitulo() const;
};

// What Entrar leads to. A refusal carries the message to show and whether the focus goes back
// to the password; an acceptance carries the session and whether the user must now replace
// the first-access password.
struct ResultadoDaEntrada {
    std::optional<SessaoDoUsuario> sessao; // empty: refused
    QString recusa;
    bool focaSenha = false;
    bool pedeNovaSenha = false;
};

// The sign-in check, without the dialog: the lookup of a typed code, the checks of Entrar and
// of closing, and the replacement of a first-access password. Database failures are thrown
// as fb::Error; what the person typed wrong comes back as a message.
class ConferenciaDoAcesso
{
public:
    // sqlBusca runs the lookup and the password update, on the session's connection.
    explicit ConferenciaDoAcesso(SqlQuery &sqlBusca) : m_sqlBusca(sqlBusca) {}

    // "7" becomes "0007"; an empty code "0000".
    static QString codigoCompleto(const QString &digitado);
    // The user of the padded code; a code that matches no row gives empty fields.
    UsuarioDoAcesso busca(const QString &codigoDigitado);

    // Entrar: a user with a name, then the typed password exactly as stored (case and blanks
    // count), for the period chosen ("MM/AAAA", or empty without periods).
    static ResultadoDaEntrada entra(const UsuarioDoAcesso &usuario, const QString &senha,
                                    const QString &periodo);
    // Closing the dialog: the session when code and password are valid; empty ends the program.
    static std::optional<SessaoDoUsuario> aoFechar(const UsuarioDoAcesso &usuario, const QString &senha,
                                                   const QString &periodo);

    // Writes the new password, encoded, into SENHA and CONFIRMA of the user, both in one
    // statement. A password that cannot be stored is refused with its message and nothing
    // is written; the person is to be asked again.
    std::optional<QString> trocaSenha(const QString &codigo, const QString &novaSenha);

    // The longest password the user table takes (the encoding keeps the length).
    static constexpr int kMaiorSenha = 20;

private:
    SqlQuery &m_sqlBusca;
};
