#pragma once

#include <QString>

// Why a file could not be written, in Portuguese, for the line below "Não foi possível gravar...":
// the system's own texts (and Qt's) would reach the person in English. systemError is the errno
// taken right after the failed call; the file's path is looked at first, for the causes that
// leave no errno behind (a name that is a folder's).
QString fileWriteFailure(const QString &fileName, int systemError);
