#include "users/LimiteDaFoto.h"

#include <QLocale>

std::optional<QString> recusaDaFoto(qint64 bytes)
{
    if (bytes <= kMaiorFoto)
        return std::nullopt;
    constexpr double kMega = 1024.0 * 1024.0;
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    return QStringLiteral("Atenção, a foto escolhida tem %1 MB e o limite é de %2 MB: nada foi trocado. "
                          "Escolha uma foto menor ou reduza esta num editor de imagens.")
        .arg(brasil.toString(double(bytes) / kMega, 'f', 1),
             brasil.toString(double(kMaiorFoto) / kMega, 'f', 0));
}
