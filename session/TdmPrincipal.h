#pragma once

#include "db/SqlConnection.h"

// The main data module: it holds the program's one connection, created closed.
class TdmPrincipal
{
public:
    TdmPrincipal();
    ~TdmPrincipal();

    SqlConnection *NimboConnection;
};

extern TdmPrincipal *dmPrincipal;
