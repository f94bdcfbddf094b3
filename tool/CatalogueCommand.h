#pragma once

#include <QStringList>

// catalogue I|II: the statements of one update as a JSON array, in position order.
int runCatalogueCommand(const QStringList &args);
