#include "session/TdmPrincipal.h"

TdmPrincipal *dmPrincipal = nullptr;

TdmPrincipal::TdmPrincipal() : NimboConnection(new SqlConnection) {}

TdmPrincipal::~TdmPrincipal()
{
    delete NimboConnection;
}
