#include "tool/ArquivosDeInstalacao.h"

#include "codec/Win1252.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

QByteArray recursoInterno(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Recurso interno ausente: %1").arg(path).toStdString());
    return file.readAll();
}

QList<ArquivoDeInstalacao> arquivosDeInstalacao(const QString &clientName)
{
    // The program reads clientes.ini as Windows-1252 when it is not valid UTF-8, as it was written on
    // the workstations.
    const QString ini =
        QStringLiteral("[dados_cliente]\ncodigo=1\nnome=%1\nweb=0\nrede=0\nipnome=\n").arg(clientName);
    return {{QStringLiteral("clientes.ini"), fb::Win1252::fromUnicode(ini)},
            {QStringLiteral("TELA_PRINCIPAL.JPG"), recursoInterno(QStringLiteral(":/images/splash.jpg"))},
            {QStringLiteral("Limpa.JPG"), recursoInterno(QStringLiteral(":/images/limpa.jpg"))}};
}

QStringList gravaArquivosAusentes(const QString &dir, const QList<ArquivoDeInstalacao> &files)
{
    QStringList written;
    for (const ArquivoDeInstalacao &f : files) {
        const QString path = QDir(dir).filePath(f.name);
        if (QFile::exists(path))
            continue;
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(f.content) != f.content.size() || !out.flush())
            throw std::runtime_error(
                QStringLiteral("Não foi possível gravar %1: %2").arg(path, out.errorString()).toStdString());
        written << f.name;
    }
    return written;
}
