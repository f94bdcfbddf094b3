#pragma once

#include "dbmaint/CatalogueRunner.h"

class SqlConnection;

using OutcomeHandler = std::function<void(const StatementOutcome &)>;

// The two schema updates without their windows, for the administrator's tool and for tests.
// The second reconnects before each drop; a failed reconnection leaves as fb::Error.
QList<StatementOutcome> executaAtualizacaoI(SqlConnection &connection, const OutcomeHandler &onOutcome = {});
QList<StatementOutcome> executaAtualizacaoII(SqlConnection &connection, const OutcomeHandler &onOutcome = {});
