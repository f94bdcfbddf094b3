#include "reportengine/FileWriteFailure.h"

#include <QFileInfo>
#include <cerrno>

QString fileWriteFailure(const QString &fileName, int systemError)
{
    const QFileInfo file(fileName);
    const QString folder = file.absolutePath();
    if (file.isDir() || systemError == EISDIR)
        return QStringLiteral("O nome escolhido é o de uma pasta, não o de um arquivo.");
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("A pasta %1 não existe.").arg(folder);
    switch (systemError) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Não há espaço livre no disco da pasta %1.").arg(folder);
    case EROFS:
        return QStringLiteral("O disco da pasta %1 está protegido contra gravação (somente leitura).")
            .arg(folder);
    case EACCES:
    case EPERM:
        return QStringLiteral("Sem permissão para gravar na pasta %1.").arg(folder);
    case ENAMETOOLONG:
        return QStringLiteral("O nome do arquivo é longo demais.");
    case EIO:
        return QStringLiteral("O disco acusou um erro de gravação.");
    default:
        return QStringLiteral("O sistema recusou a gravação (erro %1 do sistema).").arg(systemError);
    }
}
