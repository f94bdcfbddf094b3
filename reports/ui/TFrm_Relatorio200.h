#pragma once

#include "reportengine/Report.h"
#include "reports/ClientDataSet.h"

#include <QImage>
#include <QWidget>

class ReportDataText;
class ReportLabel;
class ReportPicture;
class ReportShape;
class ReportSystemData;

// The users report form: it is never shown; it holds the report definition and its two
// datasets for one run, and the before-print rules of the report.
class TFrm_Relatorio200 : public QWidget
{
    Q_OBJECT

public:
    explicit TFrm_Relatorio200(QWidget *owner = nullptr);

    // Closes and reopens the organisation, then the users; throws fb::Error.
    void AbreDados();
    // The heading labels from the session values.
    void PreencheCabecalho();
    // Generates the report and shows it in the modal preview; returns when the preview closes.
    void Preview();

    Report Rpt_Relatorio;
    ClientDataSet cdsDados;
    ClientDataSet cdsOrgaos;

    ReportBand *PageHeaderBand1;
    ReportBand *ColumnHeaderBand1;
    ReportBand *DetailBand1;
    ReportBand *SummaryBand1;

    ReportPicture *Imagem;
    ReportLabel *Estado;
    ReportLabel *EMPRESA;
    ReportLabel *Titulo;
    ReportLabel *Exercicio;
    ReportSystemData *RptSysData3;
    ReportShape *RptShape1;
    ReportLabel *RptLabel1;
    ReportLabel *RptLabel5;
    ReportLabel *RptLabel2;
    ReportShape *RptShape2;
    ReportDataText *RptDBText2;
    ReportDataText *RptDBText3;
    ReportDataText *RptDBText1;
    ReportShape *RptShape3;
    ReportLabel *Registros;
    ReportShape *RptShape5;

    // True when the next detail row takes the first row colour.
    bool Pauta = true;
    // Detail rows printed so far in this generation.
    int RG = 0;

private:
    void Rpt_RelatorioBeforePrint(Report &report);
    void PageHeaderBand1BeforePrint(ReportBand &band);
    void DetailBand1BeforePrint(ReportBand &band);

    QByteArray m_logoData;
    QImage m_logo;
};

// The form of the run in progress; empty when no users report is running.
extern TFrm_Relatorio200 *Frm_Relatorio200;
