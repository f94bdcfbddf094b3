#include "users/UsuariosFicticios.h"

#include <QStringList>

namespace
{

int checkDigit(const QString &digits)
{
    int sum = 0;
    int weight = int(digits.size()) + 1;
    for (QChar d : digits)
        sum += d.digitValue() * weight--;
    const int rest = sum * 10 % 11;
    return rest == 10 ? 0 : rest;
}

} // namespace

QString cpfFicticio(int codigo)
{
    // 48271 is prime to 10, so the base numbers of codes up to 9999 are distinct and spread out.
    QString digits = QString::number(100000000 + codigo * 48271);
    digits += QString::number(checkDigit(digits));
    digits += QString::number(checkDigit(digits));
    return QStringLiteral("%1.%2.%3-%4")
        .arg(digits.mid(0, 3), digits.mid(3, 3), digits.mid(6, 3), digits.mid(9, 2));
}

QList<UsuarioNovo> usuariosFicticios(int first, int count, const QString &digitado)
{
    static const QStringList firstNames = {
        "ANA",   "BRUNO",  "CARLA",    "DANIEL", "EDUARDA", "FELIPE", "GABRIELA", "HENRIQUE", "ISABELA",
        "JOÃO",  "KARINA", "LUCAS",    "MARIA",  "NATÁLIA", "OTÁVIO", "PAULA",    "RAFAEL",   "SÍLVIA",
        "TIAGO", "ÚRSULA", "VINÍCIUS", "WANDA",  "XAVIER",  "YASMIN", "ZECA"};
    static const QStringList surnames = {"ALVES",   "BARBOSA",  "CARVALHO", "DIAS",   "FERREIRA",
                                         "GOMES",   "LIMA",     "MARTINS",  "NUNES",  "OLIVEIRA",
                                         "PEREIRA", "RIBEIRO",  "ROCHA",    "SANTOS", "SILVA",
                                         "SOUZA",   "TEIXEIRA", "VIEIRA",   "ARAÚJO", "CONCEIÇÃO"};
    static const QStringList levels = {"INICIANTE", "MÉDIO", "EXPERIENTE", "AVANÇADO"};

    QList<UsuarioNovo> users;
    users.reserve(count);
    for (int codigo = first; codigo < first + count; ++codigo) {
        const QString name = QStringLiteral("%1 %2 %3")
                                 .arg(firstNames.at(codigo % firstNames.size()),
                                      surnames.at(codigo / firstNames.size() % surnames.size()),
                                      surnames.at(codigo / 500 % surnames.size()));
        users << UsuarioNovo{QStringLiteral("%1").arg(codigo, 4, 10, QLatin1Char('0')),
                             name,
                             cpfFicticio(codigo),
                             QStringLiteral("1"),
                             levels.at(codigo % levels.size()),
                             QStringLiteral("S"),
                             digitado};
    }
    return users;
}
