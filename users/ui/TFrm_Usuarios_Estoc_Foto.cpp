// The "Foto" page of TFrm_Usuarios_Estoc: the user's photo, shown and replaced.
#include "users/ui/TFrm_Usuarios_Estoc.h"

#include "session/uTotal.h"
#include "users/LimiteDaFoto.h"
#include "users/ui/TdmUsuarios_Estoc.h"
#include "widgets/Dialogs.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <stdexcept>

void TFrm_Usuarios_Estoc::TabSheet1Show()
{
    const bool navegando = dmUsuarios_Estoc->cdsUsuarios->state() == RecordSet::State::Browse;
    Botao_Inserir_Foto->setEnabled(!navegando);
    Botao_WebCam->setEnabled(!navegando);
    Botao_Ver_FOTO->click();
}

void TFrm_Usuarios_Estoc::Botao_Ver_FOTOClick()
{
    // Whatever cannot be shown leaves the area empty: the picture of the user shown before must
    // never stand under this user's name.
    Image1->clear();
    const QByteArray foto = dmUsuarios_Estoc->cdsUsuarios->value(QStringLiteral("B_FOTO")).toByteArray();
    if (foto.isEmpty()) {
        QPixmap padrao;
        if (padrao.load(DiretorioCorrente + QStringLiteral("/Limpa.JPG")))
            Image1->setPixmap(padrao);
        return;
    }
    QImage imagem;
    if (!imagem.loadFromData(foto, "JPEG"))
        throw std::runtime_error("A foto gravada não é uma imagem JPEG válida.");
    Image1->setPixmap(QPixmap::fromImage(imagem));
}

void TFrm_Usuarios_Estoc::Botao_Inserir_FotoClick()
{
    RecordSet *usuarios = dmUsuarios_Estoc->cdsUsuarios;
    if (!usuarios->isEditing()) {
        Dialogs::message(this, QStringLiteral("Primeiro clique em Alterar !"));
    } else {
        const QString arquivo =
            Dialogs::openFileName(this, QStringLiteral("Escolha Foto"),
                                  QStringLiteral("JPEG Image File (*.jpg);;JPEG Image File (*.jpeg)"));
        if (!arquivo.isEmpty()) {
            QFile entrada(arquivo);
            if (!entrada.open(QIODevice::ReadOnly))
                throw std::runtime_error(QStringLiteral("Não foi possível abrir o arquivo %1: %2")
                                             .arg(arquivo, entrada.errorString())
                                             .toStdString());
            // Refused before a byte of it is read.
            if (const std::optional<QString> recusa = recusaDaFoto(entrada.size())) {
                Dialogs::message(this, *recusa);
                return;
            }
            const QByteArray conteudo = entrada.readAll();
            if (entrada.error() != QFileDevice::NoError)
                throw std::runtime_error(QStringLiteral("Não foi possível ler o arquivo %1: %2")
                                             .arg(arquivo, entrada.errorString())
                                             .toStdString());
            usuarios->setValue(QStringLiteral("B_FOTO"), conteudo);
        }
    }
    Botao_Ver_FOTO->click();
}
