#pragma once

#include "reports/ReportExportFilters.h"
#include "shell/CalculatorLauncher.h"
#include "shell/WebPageLauncher.h"
#include "ui_TFrm_Principal_Estoc.h"

#include <QMainWindow>

class QCalendarWidget;
class QToolButton;

// The program's main window: titles, pictures, calendar, and the menu and tool bar from
// which every command starts. Its first activation runs the sign-in.
class TFrm_Principal_Estoc : public QMainWindow, public Ui::TFrm_Principal_Estoc
{
    Q_OBJECT

public:
    // Builds the window and its texts, which need no database: the start-up builds it while the
    // attachment is still under way, and calls abreConexao once it has been awaited.
    TFrm_Principal_Estoc();
    ~TFrm_Principal_Estoc() override;

    // The rest of the creation: opens the program's connection (reporting its failure) and
    // loads the client's picture from the working folder.
    void abreConexao();

    // The caption as set at creation; sign-in appends the period and the user to it.
    const QString &tituloAntesDoAcesso() const { return m_tituloAntesDoAcesso; }

    // The tool bar's buttons for the form's commands.
    QToolButton *SpeedButton6;
    QToolButton *SpeedButton5;
    QToolButton *SpeedButton8;
    QToolButton *SpeedButton4;
    QToolButton *SpeedButton1;
    QCalendarWidget *calendario;

    // RptTextFilter1, RptCSVFilter1, RptPDFFilter1, RptHTMLFilter1: every report preview offers
    // these formats while the main window exists.
    ReportExportFilters Filtros;
    CalculatorLauncher calculadora;
    WebPageLauncher navegador;

public slots:
    void Usurios2Click();
    void RelatriodosUsurios1Click();
    void AtualizarBancodeDadosI1Click();
    void AtualizarBancodeDadosII1Click();
    void Sobre1Click();
    void Informaesonline1Click();
    void SpeedButton5Click();
    void Sair1Click();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void criaComponentes();
    void pintaTituloDoCalendario();
    void iconesDosComandos();
    // Names and sizes the buttons the tool bar made for its commands.
    void botoesDaBarra();
    void ligaComandos();
    void FormCreate();
    void FormActivate();
    void mostraComandosDoAdministrador(bool visible);
    void avisaAtualizacaoInterrompida();

    QString m_tituloAntesDoAcesso;
};

extern TFrm_Principal_Estoc *Frm_Principal_Estoc;
