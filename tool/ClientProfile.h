#pragma once

#include <QString>

struct ClientProfile {
    QString name;
    QString cnpj;
    QString unitCode;
};

// The built-in organisation profile of client code 1, read from the session values that
// InicializaSessao sets for that code. The session keeps them afterwards (Chave included).
ClientProfile perfilDoCliente1();
