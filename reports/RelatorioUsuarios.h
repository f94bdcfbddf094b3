#pragma once

#include "reportengine/Report.h"
#include "reportengine/ReportImage.h"
#include "reports/ReportQuerySource.h"

class ReportDataText;
class ReportLabel;
class ReportPicture;
class ReportShape;
class ReportSystemData;

// The users report without a window: the definition (page, bands, elements), its two datasets
// and the before-print rules, built from the session's values and the connection it is given. Each
// generation restarts the counter and the row colours, so every run gives the same pages.
class RelatorioUsuarios
{
public:
    // Its datasets read through connection, which outlives the report.
    explicit RelatorioUsuarios(SqlConnection *connection);
    RelatorioUsuarios(const RelatorioUsuarios &) = delete;
    RelatorioUsuarios &operator=(const RelatorioUsuarios &) = delete;

    // Closes and reopens the organisation, then the users; throws fb::Error.
    void AbreDados();
    // The heading labels from the session values.
    void PreencheCabecalho();

    Report Rpt_Relatorio;
    ReportQuerySource cdsDados;
    ReportQuerySource cdsOrgaos;

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
    ReportImage m_logo;
};
