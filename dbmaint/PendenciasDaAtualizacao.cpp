#include "dbmaint/PendenciasDaAtualizacao.h"

#include "dbmaint/StatementTarget.h"

namespace
{

using Kind = StatementTarget::Kind;

// What the database is left with when the statement at position was not applied; wasDropped
// tells that the position before it removed the object this one was to make again.
QString consequencia(const StatementTarget &target, bool wasDropped)
{
    switch (target.kind) {
    case Kind::CreateTable:
        return QStringLiteral("a tabela %1 não foi criada").arg(target.table);
    case Kind::AddPrimaryKey:
        return QStringLiteral("a tabela %1 fica sem a chave primária %2").arg(target.table, target.object);
    case Kind::AddForeignKey:
        return wasDropped ? QStringLiteral(
                                "a chave estrangeira %1 foi excluída e não foi criada de novo: a tabela %2 "
                                "fica sem ela")
                                .arg(target.object, target.table)
                          : QStringLiteral("a tabela %1 fica sem a chave estrangeira %2")
                                .arg(target.table, target.object);
    case Kind::DropForeignKey:
        return QStringLiteral("a chave estrangeira %1 fica com a definição anterior").arg(target.object);
    case Kind::AddColumn:
        return QStringLiteral("a tabela %1 fica sem a coluna %2").arg(target.table, target.object);
    case Kind::DropTrigger:
        return QStringLiteral("o gatilho %1 fica com a definição anterior").arg(target.object);
    case Kind::CreateTrigger:
        return wasDropped
                   ? QStringLiteral("o gatilho %1 foi excluído e não foi criado de novo: os totais de %2 "
                                    "deixam de ser atualizados")
                         .arg(target.object, target.table)
                   : QStringLiteral("a tabela %1 fica sem o gatilho %2").arg(target.table, target.object);
    case Kind::Nothing:
    case Kind::Unknown:
        break;
    }
    return QStringLiteral("o comando não teve efeito");
}

QString posicao(int position, const StatementTarget &target)
{
    return target.object.isEmpty() ? QStringLiteral("posição %1").arg(position)
                                   : QStringLiteral("posição %1 (%2)").arg(position).arg(target.object);
}

// The database's text on one line.
QString umaLinha(const QString &text)
{
    return text.split(u'\n', Qt::SkipEmptyParts).join(QStringLiteral(" | "));
}

} // namespace

PendenciasDaAtualizacao PendenciasDaAtualizacao::de(const QStringList &catalogue, const CatalogueRun &run)
{
    PendenciasDaAtualizacao pendencias;
    const auto dropped = [&](int position, const StatementTarget &target) {
        if (position < 2 || position - 2 >= run.outcomes.size() || !run.outcomes.at(position - 2).ok)
            return false;
        return StatementTarget::of(catalogue.at(position - 2)).isDropOf(target);
    };
    for (const StatementOutcome &outcome : run.outcomes) {
        if (outcome.settled() || outcome.refusal == Refusal::ConnectionLost)
            continue;
        const StatementTarget target = StatementTarget::of(catalogue.at(outcome.position - 1));
        pendencias.linhas << QStringLiteral("%1: %2; %3.")
                                 .arg(posicao(outcome.position, target), refusalText(outcome.refusal),
                                      consequencia(target, dropped(outcome.position, target)));
        pendencias.detalhes << QStringLiteral("%1: %2").arg(outcome.position).arg(umaLinha(outcome.reason));
    }
    if (run.stoppedAt > 0) {
        const int position = run.stoppedAt;
        const StatementTarget target = StatementTarget::of(catalogue.at(position - 1));
        QString linha =
            position < catalogue.size()
                ? QStringLiteral("a atualização parou na posição %1: as posições %1 a %2 não foram "
                                 "concluídas")
                      .arg(position)
                      .arg(catalogue.size())
                : QStringLiteral("a atualização parou na posição %1, que não foi concluída").arg(position);
        if (dropped(position, target))
            linha += QStringLiteral("; ") + consequencia(target, true);
        pendencias.linhas << linha + QLatin1Char('.');
        if (run.stop)
            pendencias.detalhes << QStringLiteral("%1: %2").arg(position).arg(umaLinha(run.stop->text()));
    }
    return pendencias;
}

QString PendenciasDaAtualizacao::texto(const QString &atualizacao) const
{
    return QStringLiteral(
               "Atenção, a atualização %1 do banco de dados não foi concluída. Não foram aplicadas:\n")
               .arg(atualizacao) +
           linhas.join(u'\n') +
           QStringLiteral(
               "\nExecute a atualização de novo quando as outras estações tiverem saído do sistema.");
}
