#pragma once

#include <QString>

struct PerfilCliente {
    QString name;
    QString cnpj;
    QString unitCode;
};

// The built-in organisation profile of client code 1, read from the session values that
// InicializaSessao sets for that code. The session keeps them afterwards (Chave included).
PerfilCliente perfilDoCliente1();
