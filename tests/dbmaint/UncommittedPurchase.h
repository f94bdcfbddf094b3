#pragma once

#include <QString>
#include <QStringList>

// Another workstation in the middle of entering a purchase with its instalments, not yet committed:
// the foreign keys of the instalments and of the items depend on those rows and cannot be replaced.
inline const QStringList kUncommittedPurchase = {
    QStringLiteral("INSERT INTO COMPRAPRODUTO (I_REGISTRO) VALUES (1)"),
    QStringLiteral("INSERT INTO COMPRAPRODUTO_PARCELAS (I_REGISTRO, I_PARCELA, N_VALOR) VALUES (1, 1, 5)"),
};

// What update I says at its end while such a purchase is open elsewhere.
inline QString lockedForeignKeysMessage()
{
    const QString locked = QStringLiteral("bloqueada por outra estação, que tem alterações não confirmadas");
    return QStringLiteral(
               "Atenção, a atualização I do banco de dados não foi concluída. Não foram aplicadas:\n"
               "posição 17 (FK_COMPRAPRODUTO_PARCELAS_1): %1; a chave estrangeira "
               "FK_COMPRAPRODUTO_PARCELAS_1 fica com a definição anterior.\n"
               "posição 19 (FK_COMPRAPRODUTO_ITENS_1): %1; a chave estrangeira FK_COMPRAPRODUTO_ITENS_1 "
               "fica com a definição anterior.\n"
               "Execute a atualização de novo quando as outras estações tiverem saído do sistema.")
        .arg(locked);
}
