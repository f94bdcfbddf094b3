#pragma once

#include <QString>

// A row for USUARIOS_ESTOC with its password and level still plain.
struct UsuarioNovo {
    QString code;
    QString name;
    QString cpf;
    QString password;
    QString level;
    QString firstAccess;
    QString createdBy;
};
