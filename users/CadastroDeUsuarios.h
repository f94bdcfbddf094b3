#pragma once

#include "records/RecordProvider.h"
#include "records/RecordSet.h"

#include <QObject>

class SqlConnection;

// The data of the user maintenance, without the window: the record being maintained
// (cdsUsuarios), the list of all users (cdsPesquisa) and a free query (cdsBusca), all on the
// connection it is given, with the rules that run while a user record is edited: the next code and
// first access of a new user, the creation and change stamps, the code zero-filled, the CPF checked.
class CadastroDeUsuarios : public QObject
{
public:
    // The connection outlives the data.
    CadastroDeUsuarios(SqlConnection *connection, QObject *parent);

    RecordProvider dspUsuarios;
    RecordProvider dspPesquisa;
    RecordProvider dspBusca;
    RecordSet *cdsUsuarios;
    RecordSet *cdsPesquisa;
    RecordSet *cdsBusca;

protected:
    // A CPF was refused: the message for the person, before the field is emptied.
    virtual void cpfRecusado(const QString &mensagem) = 0;

private:
    void cdsUsuariosAfterInsert();
    void cdsUsuariosAfterEdit();
    void cdsUsuariosIDUSUARIOChange();
    void cdsUsuariosCPFChange();
};
