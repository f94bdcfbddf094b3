#pragma once

#include <QStringList>

// The 106 statements of the first schema update; element i is position i + 1. Positions 11 and 12
// are empty texts.
QStringList catalogueI();
