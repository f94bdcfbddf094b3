#include "users/TFrm_Usuarios_Estoc.h"

TFrm_Usuarios_Estoc *Frm_Usuarios_Estoc = nullptr;

TFrm_Usuarios_Estoc::TFrm_Usuarios_Estoc(QWidget *owner)
    : QDialog(owner)
{
}
