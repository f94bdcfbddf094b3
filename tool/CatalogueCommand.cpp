#include "tool/CatalogueCommand.h"

#include "dbmaint/CatalogueI.h"
#include "dbmaint/CatalogueII.h"
#include "tool/ToolOutput.h"
#include "tool/ToolUsage.h"

#include <QJsonArray>
#include <QJsonDocument>

int runCatalogueCommand(const QStringList &args)
{
    if (args.size() != 1)
        return usageError();
    QStringList catalogue;
    if (args.first() == QLatin1String("I"))
        catalogue = catalogueI();
    else if (args.first() == QLatin1String("II"))
        catalogue = catalogueII();
    else
        return usageError(QStringLiteral("Catálogo desconhecido: %1 (use I ou II)").arg(args.first()));
    printLine(QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(catalogue)).toJson()).trimmed());
    return 0;
}
