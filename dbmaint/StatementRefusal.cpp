#include "dbmaint/StatementRefusal.h"

#include "db/FbError.h"

#include <firebird/Interface.h>

namespace
{

// "Constraint ... does not exist": the engine's code has no name in the client's headers.
constexpr qint64 kConstraintNotFound = 336068738;

bool hasAny(const fb::Error &error, std::initializer_list<qint64> codes)
{
    for (const qint64 code : codes) {
        if (error.hasCode(code))
            return true;
    }
    return false;
}

} // namespace

Refusal refusalOf(const fb::Error &error)
{
    if (error.connectionLost())
        return Refusal::ConnectionLost;
    if (hasAny(error, {isc_lock_conflict, isc_lock_timeout, isc_deadlock, isc_update_conflict}))
        return Refusal::LockConflict;
    if (error.hasCode(isc_obj_in_use))
        return Refusal::InUse;
    // Objects that exist already (table, trigger, the index of a key, a second primary key) and
    // objects to drop that are not there.
    if (hasAny(error, {isc_dyn_dup_table, isc_dyn_dup_index, isc_primary_key_exists, isc_dyn_trig_not_found,
                       kConstraintNotFound}))
        return Refusal::AlreadySo;
    // A change of metadata that breaks a unique key of the system tables names something that
    // exists already (a column added twice).
    if (error.hasCode(isc_no_meta_update) && error.hasCode(isc_unique_key_violation))
        return Refusal::AlreadySo;
    return Refusal::Other;
}

QString refusalText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::None:
    case Refusal::AlreadySo:
        break;
    case Refusal::LockConflict:
        return QStringLiteral("bloqueada por outra estação, que tem alterações não confirmadas");
    case Refusal::InUse:
        return QStringLiteral("a tabela está em uso por outra estação");
    case Refusal::ConnectionLost:
        return QStringLiteral("a conexão com o banco de dados foi perdida");
    case Refusal::Other:
        return QStringLiteral("recusada pelo banco de dados");
    }
    return QString();
}
