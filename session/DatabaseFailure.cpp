#include "session/DatabaseFailure.h"

#include "db/FbError.h"
#include "db/SqlConnection.h"

#include <cerrno>
#include <firebird/Interface.h>
#include <pwd.h>
#include <unistd.h>

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

// The account the program runs under, for the command that lets it use the engine's lock folder.
QString accountName()
{
    if (const struct passwd *account = ::getpwuid(::geteuid()); account && account->pw_name)
        return QString::fromLocal8Bit(account->pw_name);
    return QStringLiteral("$USER");
}

// Which Firebird writes an on-disk structure, for the advice on bringing a database over.
QString firebirdOf(qint64 major, qint64 minor)
{
    switch (major) {
    case 10:
        return QStringLiteral("Firebird 1");
    case 11:
        return minor >= 2 ? QStringLiteral("Firebird 2.5") : QStringLiteral("Firebird 2.%1").arg(minor);
    case 12:
        return QStringLiteral("Firebird 3");
    case 13:
        return minor >= 1 ? QStringLiteral("Firebird 5") : QStringLiteral("Firebird 4");
    default:
        return major < 10 ? QStringLiteral("uma versão muito antiga do Firebird ou do InterBase")
                          : QStringLiteral("uma versão mais nova do Firebird");
    }
}

QString formatText(const fb::Error &error)
{
    // The status's numbers: the found structure's major and minor, then the one supported.
    const QList<qint64> numbers = error.numbersOf(isc_wrong_ods);
    if (numbers.size() < 3)
        return QStringLiteral(
            "Atenção, o banco de dados foi gravado por outra versão do Firebird e esta não o "
            "abre. Converta-o com o gbak: cópia (gbak -b) na versão que o gravou, "
            "restauração (gbak -c) aqui.");
    const qint64 major = numbers.at(0);
    const qint64 minor = numbers.at(1);
    const QString version = firebirdOf(major, minor);
    if (major < numbers.at(2))
        return QStringLiteral("Atenção, o banco de dados foi gravado pelo %1 (estrutura %2.%3), que o "
                              "Firebird 3 não abre. Converta-o com o gbak: no %1, gbak -b LICITACAO.FDB "
                              "licitacao.fbk; aqui, gbak -c licitacao.fbk LICITACAO.FDB.")
            .arg(version)
            .arg(major)
            .arg(minor);
    return QStringLiteral("Atenção, o banco de dados foi gravado por %1 (estrutura %2.%3), que o Firebird 3 "
                          "não abre. Use-o por um servidor dessa versão.")
        .arg(version.startsWith(QLatin1String("Firebird")) ? QStringLiteral("o ") + version : version)
        .arg(major)
        .arg(minor);
}

QString text(Cause cause, const fb::Error &error, const QString &field)
{
    switch (cause) {
    case Cause::FileMissing:
        return QStringLiteral("Atenção, o arquivo do banco de dados não foi encontrado. Confira a pasta de "
                              "trabalho e o caminho configurado em clientes.ini.");
    case Cause::NotARegularFile:
        return QStringLiteral(
            "Atenção, o caminho do banco de dados não leva a um arquivo: há ali uma pasta, um "
            "canal ou um dispositivo. Confira a pasta de trabalho e o caminho configurado em "
            "clientes.ini.");
    case Cause::OlderOrNewerFormat:
        return formatText(error);
    case Cause::DiskFull:
        return QStringLiteral("Atenção, o disco do banco de dados está cheio: a operação não foi concluída. "
                              "Libere espaço no disco e tente de novo.");
    case Cause::FileUnreadable:
        return QStringLiteral(
            "Atenção, o sistema não conseguiu ler ou gravar o arquivo do banco de dados: a "
            "operação não foi concluída. Confira o disco e tente de novo; se o erro voltar, "
            "peça ao administrador que confira o disco.");
    case Cause::LockFolder:
        return QStringLiteral(
                   "Atenção, esta conta não pode usar a pasta de travas do Firebird (/tmp/firebird), "
                   "sem a qual o banco de dados local não abre. Peça ao administrador que a inclua "
                   "no grupo firebird (sudo adduser %1 firebird) e entre de novo no sistema.")
            .arg(accountName());
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
    if (hasAny(error, {isc_lock_dir_access, isc_lockmanerr}) ||
        (error.hasCode(isc_sys_request) && (systemError(error, EACCES) || systemError(error, EPERM))))
        return Cause::LockFolder;
    // The backup service names a full disk by its own code, without the system's number.
    if (systemError(error, ENOSPC) || systemError(error, EDQUOT) || systemError(error, EFBIG) ||
        error.hasCode(isc_gbak_disk_space_ex))
        return Cause::DiskFull;
    if (error.hasCode(isc_io_error)) {
        if (systemError(error, ENOENT) || systemError(error, ENOTDIR))
            return Cause::FileMissing;
        if (systemError(error, EISDIR) || systemError(error, ENXIO) || systemError(error, ENODEV))
            return Cause::NotARegularFile;
        if (systemError(error, EACCES) || systemError(error, EPERM) || systemError(error, EROFS))
            return Cause::NoPermission;
        // Read but not understood: too short, or not a database at all. Any other error of the
        // system is one of the disk's, not the file's.
        return error.systemErrors().isEmpty() ? Cause::NotADatabase : Cause::FileUnreadable;
    }
    if (error.hasCode(isc_wrong_ods))
        return Cause::OlderOrNewerFormat;
    if (hasAny(error, {isc_bad_db_format, isc_db_corrupt}))
        return Cause::NotADatabase;
    if (error.hasCode(isc_read_only_database))
        return Cause::ReadOnly;
    if (hasAny(error, {isc_no_priv, isc_io_access_err}))
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
