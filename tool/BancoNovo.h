#pragma once

#include "tool/PerfilCliente.h"

#include <QByteArray>

// User codes have four digits and 0001 is the administrator's.
constexpr int MaxExtraUsers = 9998;

// Creates the database file at path (WIN1252, pages of 8192 bytes) and gives it the suite's schema,
// ORGAOS row 1 for the profile, the administrator 0001 and extraUsers fictional users 0002 onwards.
// When any step fails the file is removed again and the error leaves as fb::Error.
void criaBancoNovo(const QString &path, const PerfilCliente &profile, const QByteArray &logo, int extraUsers);
