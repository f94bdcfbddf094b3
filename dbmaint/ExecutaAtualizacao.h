#pragma once

#include "dbmaint/CatalogueRunner.h"

class SqlConnection;

using OutcomeHandler = std::function<void(const StatementOutcome &)>;

// The two schema updates without their windows, for the administrator's tool and for tests.
// The second reconnects before each drop.
CatalogueRun executaAtualizacaoI(SqlConnection &connection, const OutcomeHandler &onOutcome = {});
CatalogueRun executaAtualizacaoII(SqlConnection &connection, const OutcomeHandler &onOutcome = {});
