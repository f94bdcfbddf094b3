#include "users/PreparaPesquisa.h"

#include "common/TextHelpers.h"

QString preparaTextoPesquisa(const QString &campo, const QString &texto)
{
    if (campo.compare(QStringLiteral("IDUSUARIO"), Qt::CaseInsensitive) == 0)
        return texto.rightJustified(4, u'0');
    if (campo.compare(QStringLiteral("CPF"), Qt::CaseInsensitive) == 0) {
        const QString digitos = Retorna_Apenas_Numeros(texto);
        QString cpf = QStringLiteral("###.###.###-##");
        qsizetype proximo = 0;
        for (QChar &c : cpf) {
            if (c == u'#')
                c = proximo < digitos.size() ? digitos.at(proximo++) : u'0';
        }
        return cpf;
    }
    return texto.toUpper();
}
