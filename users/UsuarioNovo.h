#pragma once

#include <QString>

// A row for USUARIOS_ESTOC with its password and level still plain.
struct UsuarioNovo {
    QString codigo;
    QString nome;
    QString cpf;
    QString senha;
    QString nivel;
    QString primeiroAcesso;
    QString digitado; // who created it, as the DIGITADO stamp
};
