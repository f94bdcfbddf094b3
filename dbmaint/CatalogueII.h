#pragma once

#include <QStringList>

// The 28 steps of the second schema update: for the k-th trigger, element 2k-2 drops it and element
// 2k-1 creates it (steps 2k-1 and 2k when counted from 1).
QStringList catalogueII();
