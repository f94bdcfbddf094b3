#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The largest photo a user record takes: a portrait from a camera or a phone is a few
// megabytes; more is a picture nobody meant for the record, which every opening of the record
// would then carry over the network.
inline constexpr qint64 kMaiorFoto = 16 * 1024 * 1024;

// Why a chosen photo of this many bytes is refused, with its size and the limit; none when it fits.
std::optional<QString> recusaDaFoto(qint64 bytes);
