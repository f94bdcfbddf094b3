#include "records/FieldDef.h"

QString FieldDef::tooLongMessage() const
{
    return QStringLiteral("Atenção, o campo %1 aceita no máximo %2 caracteres!").arg(shownName()).arg(size);
}
