#pragma once

#include "records/RecordProvider.h"
#include "records/RecordSet.h"

#include <QObject>

class QWidget;

// The user maintenance window's data: the record being maintained (cdsUsuarios), the list of
// all users (cdsPesquisa) and a free query (cdsBusca), with the rules that run while a user
// record is edited. Owned by the window that created it.
class TdmUsuarios_Estoc : public QObject
{
    Q_OBJECT

public:
    explicit TdmUsuarios_Estoc(QWidget *owner);

    RecordProvider dspUsuarios;
    RecordProvider dspPesquisa;
    RecordProvider dspBusca;
    RecordSet *cdsUsuarios;
    RecordSet *cdsPesquisa;
    RecordSet *cdsBusca;

private:
    void cdsUsuariosAfterInsert();
    void cdsUsuariosAfterEdit();
    void cdsUsuariosIDUSUARIOChange();
    void cdsUsuariosCPFChange();

    QWidget *m_owner;
};
