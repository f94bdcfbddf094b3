#include "users/ProximoCodigo.h"

#include "common/TextHelpers.h"
#include "db/FbError.h"
#include "records/RecordSet.h"

#include <QList>
#include <algorithm>

namespace
{

constexpr int kMaiorCodigo = 9999;

} // namespace

QString proximoCodigo(const RecordSet &codigos)
{
    QList<bool> usado(kMaiorCodigo + 1, false);
    int maior = 0;
    for (int i = 0; i < codigos.recordCount(); ++i) {
        const QString codigo = codigos.valueAt(i, 0).toString().trimmed();
        if (codigo.isEmpty() || Retorna_Apenas_Numeros(codigo) != codigo)
            continue;
        const int numero = codigo.toInt();
        if (numero > kMaiorCodigo)
            continue; // not a code of four digits
        usado[numero] = true;
        maior = std::max(maior, numero);
    }
    int proximo = maior + 1;
    if (proximo > kMaiorCodigo)
        proximo = int(usado.indexOf(false, 1));
    if (proximo < 0)
        throw fb::Error(QStringLiteral("Atenção, não há código livre para um novo usuário: os códigos de "
                                       "0001 a %1 estão todos em uso.")
                            .arg(kMaiorCodigo));
    return QStringLiteral("%1").arg(proximo, 4, 10, QLatin1Char('0'));
}
