#pragma once

#include <QDialog>

// The maintenance window of the stockroom's users.
class TFrm_Usuarios_Estoc : public QDialog
{
    Q_OBJECT
public:
    explicit TFrm_Usuarios_Estoc(QWidget *owner);
};

extern TFrm_Usuarios_Estoc *Frm_Usuarios_Estoc;
