#include "shell/DatabaseFailure.h"

#include "db/FbError.h"
#include "db/SqlConnection.h"

#include <cerrno>
#include <firebird/Interface.h>

namespace
{

using Cause = DatabaseFailure::Cause;

bool hasAny(const fb::Error &error, std::initializer_list<qint64> codes)
{
    for (const qint64 code : codes) {
        if (error.hasCode(code))
            return true;
    }
    return false;
}

bool systemError(const fb::Error &error, qint64 number)
{
    return error.systemErrors().contains(number);
}

QString text(Cause cause, const fb::Error &error, const QString &field)
{
    switch (cause) {
    case Cause::FileMissing:
        return QStringLiteral("Atenção, o arquivo do banco de dados não foi encontrado. Confira a pasta de "
                              "trabalho e o caminho configurado em clientes.ini.");
    case Cause::NotADatabase:
        return QStringLiteral("Atenção, o arquivo aberto não é um banco de dados válido ou está danificado. "
                              "Peça ao administrador que o confira ou restaure uma cópia.");
    case Cause::NoPermission:
        return QStringLiteral("Atenção, sem permissão para usar o arquivo do banco de dados. Peça ao "
                              "administrador que libere o acesso.");
    case Cause::ReadOnly:
        return QStringLiteral(
            "Atenção, o banco de dados está somente para leitura: nada foi gravado. Peça ao "
            "administrador que o libere para gravação.");
    case Cause::InUse:
        return QStringLiteral(
            "Atenção, o banco de dados está em uso por outro programa que não permite o acesso "
            "simultâneo. Feche esse programa ou use o servidor do banco de dados.");
    case Cause::ServerUnreachable:
        return QStringLiteral(
            "Atenção, não foi possível conectar ao servidor do banco de dados. Confira se ele "
            "está ligado e se a rede funciona, e tente de novo.");
    case Cause::WrongPassword:
        return QStringLiteral(
            "Atenção, o servidor do banco de dados recusou o usuário ou a senha da conexão. "
            "Peça ao administrador que confira a senha do servidor.");
    case Cause::ConnectionLost:
        return QStringLiteral("Atenção, a conexão com o banco de dados foi perdida. Confira a rede e o "
                              "servidor; a próxima operação conecta de novo.");
    case Cause::TimedOut:
        return QStringLiteral("Atenção, o banco de dados não respondeu em %1 segundos e a operação foi "
                              "cancelada. Confira a rede e o servidor e tente de novo.")
            .arg((SqlConnection::answerBound() + SqlConnection::cancelGrace()).count() / 1000.0);
    case Cause::TableUnknown:
        return QStringLiteral(
            "Atenção, o banco de dados não está preparado: falta uma tabela ou coluna. Execute "
            "as atualizações do banco (menu Procedimentos, ou estocarium-db update).");
    case Cause::ValueTooLong: {
        const int limit = DatabaseFailure::lengthLimit(error);
        QString where = field.isEmpty() ? QStringLiteral("um campo") : QStringLiteral("o campo ") + field;
        return limit > 0 ? QStringLiteral("Atenção, valor longo demais para %1: o limite é de %2 caracteres.")
                               .arg(where)
                               .arg(limit)
                         : QStringLiteral("Atenção, valor longo demais para %1.").arg(where);
    }
    case Cause::DuplicateKey:
        return QStringLiteral("Atenção, já existe um registro com este código.");
    case Cause::ChangedElsewhere:
        return QStringLiteral("Atenção, o registro foi alterado ou excluído por outra estação. Nada foi "
                              "gravado; confira os dados atuais e repita a operação.");
    case Cause::Other:
        break;
    }
    return QStringLiteral("Atenção, o banco de dados recusou a operação.");
}

} // namespace

DatabaseFailure::Cause DatabaseFailure::causeOf(const fb::Error &error)
{
    if (error.timedOut())
        return Cause::TimedOut;
    if (error.hasCode(isc_login))
        return Cause::WrongPassword;
    if (hasAny(error, {isc_network_error, isc_net_connect_err, isc_net_lookup_err, isc_connect_reject,
                       isc_unavailable}) &&
        !hasAny(error, {isc_net_read_err, isc_net_write_err}))
        return Cause::ServerUnreachable;
    if (error.connectionLost())
        return Cause::ConnectionLost;
    if (error.hasCode(isc_already_opened))
        return Cause::InUse;
    if (error.hasCode(isc_io_error)) {
        if (systemError(error, ENOENT))
            return Cause::FileMissing;
        if (systemError(error, EACCES) || systemError(error, EPERM) || systemError(error, EROFS))
            return Cause::NoPermission;
        // Read but not understood: too short, or not a database at all.
        return Cause::NotADatabase;
    }
    if (hasAny(error, {isc_bad_db_format, isc_db_corrupt}))
        return Cause::NotADatabase;
    if (error.hasCode(isc_read_only_database))
        return Cause::ReadOnly;
    if (hasAny(error, {isc_no_priv, isc_lock_dir_access, isc_io_access_err}))
        return Cause::NoPermission;
    if (hasAny(error, {isc_dsql_relation_err, isc_dsql_field_err}))
        return Cause::TableUnknown;
    if (hasAny(error, {isc_string_truncation, isc_trunc_limits}))
        return Cause::ValueTooLong;
    if (hasAny(error, {isc_unique_key_violation, isc_no_dup}))
        return Cause::DuplicateKey;
    if (hasAny(error, {isc_lock_conflict, isc_update_conflict, isc_deadlock}))
        return Cause::ChangedElsewhere;
    return Cause::Other;
}

int DatabaseFailure::lengthLimit(const fb::Error &error)
{
    // The truncation's arguments are the column's length, then the value's.
    const QList<qint64> lengths = error.numbersOf(isc_trunc_limits);
    return lengths.isEmpty() ? 0 : int(lengths.first());
}

DatabaseFailure DatabaseFailure::of(const fb::Error &error, const QString &field)
{
    DatabaseFailure failure;
    failure.cause = causeOf(error);
    // Our own texts (no Firebird code behind them) already say what happened.
    if (failure.cause == Cause::Other && error.codes().isEmpty()) {
        failure.message = error.text();
        return failure;
    }
    failure.message = text(failure.cause, error, field);
    failure.detail = error.text();
    return failure;
}
