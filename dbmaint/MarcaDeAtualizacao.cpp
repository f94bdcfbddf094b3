#include "dbmaint/MarcaDeAtualizacao.h"

#include "db/DatabaseFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{

QString stateFolder()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    return (state.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/state") : state) +
           QStringLiteral("/estocarium");
}

QString fileFor(const QString &database)
{
    if (!fb::DatabaseFile::locationOf(database).onAServer())
        return database + QStringLiteral(".atualizando");
    QString name = database;
    for (QChar &c : name)
        if (!c.isLetterOrNumber() && c != u'.' && c != u'-')
            c = u'_';
    return stateFolder() + u'/' + name + QStringLiteral(".atualizando");
}

constexpr QLatin1StringView kInicio("inicio=");
constexpr QLatin1StringView kCopia("copia=");

} // namespace

MarcaDeAtualizacao::MarcaDeAtualizacao(const QString &database) : m_arquivo(fileFor(database)) {}

std::optional<MarcaDeAtualizacao::Conteudo> MarcaDeAtualizacao::le() const
{
    QFile file(m_arquivo);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    Conteudo conteudo;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(kInicio))
            conteudo.inicio = QDateTime::fromString(line.mid(kInicio.size()), Qt::ISODate);
        else if (line.startsWith(kCopia))
            conteudo.copia = line.mid(kCopia.size());
    }
    return conteudo;
}

QString MarcaDeAtualizacao::grava(const Conteudo &conteudo) const
{
    QDir().mkpath(QFileInfo(m_arquivo).path());
    QSaveFile file(m_arquivo);
    if (file.open(QIODevice::WriteOnly)) {
        file.write((kInicio + conteudo.inicio.toString(Qt::ISODate) + u'\n' + kCopia + conteudo.copia + u'\n')
                       .toUtf8());
        if (file.commit())
            return QString();
    }
    return file.errorString();
}

void MarcaDeAtualizacao::remove() const
{
    QFile::remove(m_arquivo);
}
