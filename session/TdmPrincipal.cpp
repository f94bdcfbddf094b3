#include "session/TdmPrincipal.h"

TdmPrincipal *dmPrincipal = nullptr;

TdmPrincipal::TdmPrincipal() : NimboConnection(new SqlConnection)
{
    SqlConnection::setProgramConnection(NimboConnection);
}

TdmPrincipal::~TdmPrincipal()
{
    if (SqlConnection::programConnection() == NimboConnection)
        SqlConnection::setProgramConnection(nullptr);
    delete NimboConnection;
}
