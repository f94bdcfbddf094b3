#include "reports/RelatorioUsuarios.h"

#include "common/DateSettings.h"
#include "reportengine/ReportDataText.h"
#include "reportengine/ReportJpeg.h"
#include "reportengine/ReportLabel.h"
#include "reportengine/ReportPicture.h"
#include "reportengine/ReportShape.h"
#include "reportengine/ReportSystemData.h"
#include "reportengine/ReportUnits.h"
#include "reports/StringToColor.h"
#include "session/uTotal.h"

#include <stdexcept>

namespace
{

using ReportUnits::fromMm;

QRect frameMm(double left, double top, double width, double height)
{
    return QRect(fromMm(left), fromMm(top), fromMm(width), fromMm(height));
}

ReportLabel *addLabel(ReportBand *band, const QString &name, double left, double top, double width,
                      ReportFont font, const QString &text, ReportAlignment alignment, bool whiteBackground)
{
    auto *label = band->add<ReportLabel>(name, fromMm(left), fromMm(top), fromMm(width), font);
    label->setText(text);
    label->setAlignment(alignment);
    if (whiteBackground)
        label->setBackground(ReportColour::white());
    return label;
}

// A band's colour from the session. The colours are empty when the built-in organisation profile
// does not apply (any client code but 1): an empty colour is no colour, the band stays white,
// so that the report prints for every client.
ReportColour corDaFaixa(const QString &cor)
{
    return cor.trimmed().isEmpty() ? ReportColour::white() : StringToColor(cor);
}

ReportDataText *addField(ReportBand *band, const QString &name, double left, double width,
                         const QString &field, ReportAlignment alignment)
{
    auto *text = band->add<ReportDataText>(name, fromMm(left), 0, fromMm(width), ReportFont{7, false}, field);
    text->setAlignment(alignment);
    return text;
}

} // namespace

RelatorioUsuarios::RelatorioUsuarios(SqlConnection *connection)
    : cdsDados(
          connection,
          QStringLiteral("SELECT A.IDUSUARIO, A.USUARIO, A.CPF FROM USUARIOS_ESTOC A ORDER BY A.IDUSUARIO")),
      cdsOrgaos(
          connection,
          QStringLiteral("SELECT A.I_ORGAO, A.ORGAO, A.CNPJ, A.CODIGOUA, A.TRATAMENTO, A.TRANSPARENCIA, "
                         "A.B_LOGOMARCA FROM ORGAOS A WHERE A.I_ORGAO=1 ORDER BY A.I_ORGAO"))
{
    ReportPageSetup &page = Rpt_Relatorio.pageSetup();
    page.paper = QSize(fromMm(210), fromMm(297));
    page.orientation = ReportPageSetup::Orientation::Landscape;
    page.margins = QMargins(fromMm(10), fromMm(10), fromMm(10), fromMm(10));
    Rpt_Relatorio.setDataSource(&cdsDados);

    const auto left = ReportAlignment::Left;
    const auto centre = ReportAlignment::Centre;

    PageHeaderBand1 = Rpt_Relatorio.addBand(ReportBandKind::PageHeader, fromMm(28.3));
    Imagem = PageHeaderBand1->add<ReportPicture>(QStringLiteral("Imagem"), frameMm(2.6, 2.4, 25.1, 25.4));
    Estado =
        addLabel(PageHeaderBand1, QStringLiteral("Estado"), 28.3, 10.1, 194.2, {10, true}, {}, left, true);
    EMPRESA =
        addLabel(PageHeaderBand1, QStringLiteral("EMPRESA"), 28.3, 14.8, 194.2, {10, true}, {}, left, true);
    Titulo =
        addLabel(PageHeaderBand1, QStringLiteral("Titulo"), 28.3, 19.6, 194.2, {8, false}, {}, left, true);
    Exercicio =
        addLabel(PageHeaderBand1, QStringLiteral("Exercicio"), 28.3, 23.8, 194.2, {8, false}, {}, left, true);
    RptSysData3 =
        PageHeaderBand1->add<ReportSystemData>(QStringLiteral("RptSysData3"), fromMm(236.3), fromMm(2.1),
                                               fromMm(39.7), ReportFont{8, false}, QStringLiteral("Pág.  "));
    RptSysData3->setAlignment(ReportAlignment::Right);
    RptSysData3->setBackground(ReportColour::white());

    ColumnHeaderBand1 = Rpt_Relatorio.addBand(ReportBandKind::ColumnHeader, fromMm(10.6));
    RptShape1 = ColumnHeaderBand1->add<ReportShape>(QStringLiteral("RptShape1"), frameMm(0, 0, 277, 0.8));
    RptLabel1 = addLabel(ColumnHeaderBand1, QStringLiteral("RptLabel1"), 0, 5.0, 15.9, {7, true},
                         QStringLiteral("Código"), centre, false);
    RptLabel5 = addLabel(ColumnHeaderBand1, QStringLiteral("RptLabel5"), 16.9, 5.0, 207.7, {7, true},
                         QStringLiteral("Usuário"), left, false);
    RptLabel2 = addLabel(ColumnHeaderBand1, QStringLiteral("RptLabel2"), 226.5, 5.0, 26.5, {7, true},
                         QStringLiteral("C P F"), centre, false);
    RptShape2 = ColumnHeaderBand1->add<ReportShape>(QStringLiteral("RptShape2"), frameMm(0, 10.1, 277, 0.8));

    DetailBand1 = Rpt_Relatorio.addBand(ReportBandKind::Detail, fromMm(4.0));
    RptDBText2 =
        addField(DetailBand1, QStringLiteral("RptDBText2"), 0, 15.9, QStringLiteral("IDUSUARIO"), centre);
    RptDBText3 =
        addField(DetailBand1, QStringLiteral("RptDBText3"), 16.9, 207.7, QStringLiteral("USUARIO"), left);
    RptDBText1 =
        addField(DetailBand1, QStringLiteral("RptDBText1"), 226.5, 26.5, QStringLiteral("CPF"), centre);

    SummaryBand1 = Rpt_Relatorio.addBand(ReportBandKind::Summary, fromMm(19.8));
    RptShape3 = SummaryBand1->add<ReportShape>(QStringLiteral("RptShape3"), frameMm(0, -0.5, 277, 1.3));
    Registros = addLabel(SummaryBand1, QStringLiteral("Registros"), 0, 0.8, 0, {7, true},
                         QStringLiteral("T O T A L"), left, true);
    Registros->setAutoWidth(true);
    RptShape5 = SummaryBand1->add<ReportShape>(QStringLiteral("RptShape5"), frameMm(0, 4.0, 277, 1.3));

    Rpt_Relatorio.setBeforeGenerate([this](Report &report) { Rpt_RelatorioBeforePrint(report); });
    PageHeaderBand1->setBeforePrint([this](ReportBand &band) { PageHeaderBand1BeforePrint(band); });
    DetailBand1->setBeforePrint([this](ReportBand &band) { DetailBand1BeforePrint(band); });
}

void RelatorioUsuarios::AbreDados()
{
    cdsOrgaos.close();
    cdsOrgaos.open();
    cdsDados.close();
    cdsDados.open();
}

void RelatorioUsuarios::PreencheCabecalho()
{
    Estado->setText(Descricao_Estado);
    EMPRESA->setText(Descricao_Cliente);
    Exercicio->setText(QStringLiteral("Exercício : ") + Ano_Vero);
    Titulo->setText(TituloRelatorio);
}

void RelatorioUsuarios::Rpt_RelatorioBeforePrint(Report &)
{
    ColumnHeaderBand1->setColour(corDaFaixa(Cor_Cabecalho));
    Pauta = true;
    RG = 0;
}

void RelatorioUsuarios::PageHeaderBand1BeforePrint(ReportBand &)
{
    const QVariant logo = cdsOrgaos.value(0, QStringLiteral("B_LOGOMARCA"));
    if (logo.isNull()) {
        Imagem->setEnabled(false);
        return;
    }
    // The logo is read for every page; decoding the same bytes again would give the same picture.
    const QByteArray data = logo.toByteArray();
    if (data != m_logoData || m_logo.isNull()) {
        const std::optional<ReportImage> decoded = decodeJpeg(data);
        if (!decoded)
            throw std::runtime_error("A logomarca do órgão não pôde ser lida como imagem JPEG.");
        m_logo = *decoded;
        m_logoData = data;
    }
    Imagem->setPicture(m_logo);
}

void RelatorioUsuarios::DetailBand1BeforePrint(ReportBand &band)
{
    band.setColour(corDaFaixa(Pauta ? Cor_Pauta_True : Cor_Pauta_False));
    Pauta = !Pauta;
    if (cdsDados.rowCount() > 0)
        ++RG;
    Registros->setText(QStringLiteral("Total de Registros : ") + formatSettings().formatGrouped(RG, 3));
}
