#include "dbmaint/ui/CatalogueWindow.h"

#include "dbmaint/AtualizacaoProtegida.h"
#include "dbmaint/PendenciasDaAtualizacao.h"
#include "dbmaint/SchemaDamage.h"
#include "dbmaint/TextosDaCopia.h"
#include "dbmaint/ui/DiscardedInput.h"
#include "dbmaint/ui/Gauge.h"
#include "session/DatabaseFailure.h"
#include "session/TdmPrincipal.h"
#include "widgets/Dialogs.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

CatalogueWindow::CatalogueWindow(QWidget *parent)
    // Closed by Fechar or the title bar's close button, the only button of its title bar.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      sqlComandos(dmPrincipal->NimboConnection)
{
}

void CatalogueWindow::takeControls(QPushButton *atualiza, Gauge *gauge, QPushButton *sair)
{
    FBAtualiza = atualiza;
    Gauge1 = gauge;
    FBSair = sair;
    m_caption = windowTitle();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(FBAtualiza, &QPushButton::clicked, this, &CatalogueWindow::FBAtualizaClick);
    connect(FBSair, &QPushButton::clicked, this, &CatalogueWindow::FBSairClick);
}

void CatalogueWindow::FBSairClick()
{
    close();
}

void CatalogueWindow::setButtonsEnabled(bool enabled)
{
    FBAtualiza->setEnabled(enabled);
    FBSair->setEnabled(enabled);
    // Disabling took the focus from the run button; the keyboard finds it there again.
    if (enabled)
        FBAtualiza->setFocus();
}

void CatalogueWindow::runCatalogue(SqlConnection &connection, CatalogueRunner &runner,
                                   const QString &atualizacao, const QStringList &catalogue)
{
    AtualizacaoProtegida protecao(connection);
    if (protecao.interrompida())
        Dialogs::message(this, textoDaAtualizacaoInterrompida(protecao.database(), *protecao.interrompida()));
    CatalogueRun run;
    {
        const DiscardedInput heldDuringTheRun;
        std::optional<AtualizacaoProtegida::Impedimento> impedimento;
        try {
            impedimento = protecao.comeca();
        } catch (const fb::Error &error) {
            // Reported below as a run stopped at its first position.
            run.stop = error;
            run.stoppedAt = 1;
        }
        if (impedimento) {
            Dialogs::error(this, impedimento->mensagem, impedimento->detalhe);
            setButtonsEnabled(true);
            return;
        }
        if (!run.stop) {
            setWindowTitle(m_caption + QStringLiteral(" | ") + textoDaCopiaFeita(protecao.copia()));
            runner.setStepHandler([this](int) { Gauge1->addProgress(1); });
            run = runner.run(catalogue);
        }
    }
    if (!run.danos.isEmpty()) {
        Dialogs::error(this, schemaDamageText(run.danos, protecao.database(), protecao.copiaARecolocar()));
        setButtonsEnabled(true);
        return;
    }
    if (run.stop) {
        const DatabaseFailure failure = DatabaseFailure::of(*run.stop);
        Dialogs::error(this, failure.message, failure.detail);
    }
    const PendenciasDaAtualizacao pendencias = PendenciasDaAtualizacao::de(catalogue, run);
    if (!pendencias.vazias())
        Dialogs::message(this, pendencias.texto(atualizacao), pendencias.detalhes.join(u'\n'));
    if (!run.stop)
        setButtonsEnabled(true);
}
