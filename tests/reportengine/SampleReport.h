#pragma once

// A three-column list on A4 landscape, built the way the program's reports are: a page header
// with a logo, title and page number, column headings on a grey band, alternately coloured
// detail rows and a summary counting them.

#include "reportengine/Report.h"
#include "reportengine/ReportDataText.h"
#include "reportengine/ReportImageConversion.h"
#include "reportengine/ReportLabel.h"
#include "reportengine/ReportMemoryDataSource.h"
#include "reportengine/ReportPicture.h"
#include "reportengine/ReportShape.h"
#include "reportengine/ReportSystemData.h"
#include "reportengine/ReportUnits.h"

#include <QPainter>

struct SampleReport {
    static constexpr ReportColour kGrey{192, 192, 192};
    static constexpr ReportColour kGreen{192, 220, 192};
    static constexpr ReportColour kWhite{255, 255, 255};

    ReportMemoryDataSource data{{QStringLiteral("CODIGO"), QStringLiteral("NOME"), QStringLiteral("CPF")}};
    Report report;
    ReportBand *pageHeader;
    ReportBand *columnHeader;
    ReportBand *detail;
    ReportBand *summary;
    ReportPicture *logo;
    ReportLabel *title;
    ReportLabel *total;
    int generations = 0;
    int detailsPrinted = 0;
    bool firstColour = true;

    explicit SampleReport(int rows, double summaryHeightMm = 19.8)
    {
        using ReportUnits::fromMm;
        for (int row = 1; row <= rows; ++row) {
            data.append({QStringLiteral("%1").arg(row, 4, 10, QLatin1Char('0')),
                         QStringLiteral("Usuário número %1").arg(row), QStringLiteral("123.456.789-09")});
        }
        report.setDataSource(&data);
        report.pageSetup().orientation = ReportPageSetup::Orientation::Landscape;

        pageHeader = report.addBand(ReportBandKind::PageHeader, fromMm(28.3));
        logo = pageHeader->add<ReportPicture>(QStringLiteral("Imagem"),
                                              QRect(fromMm(2.6), fromMm(2.4), fromMm(25.1), fromMm(25.4)));
        logo->setPicture(toReportImage(logoPicture()));
        title = pageHeader->add<ReportLabel>(QStringLiteral("Titulo"), fromMm(28.3), fromMm(19.6),
                                             fromMm(194.2), ReportFont{8, false});
        title->setText(QStringLiteral("Relatório de teste"));
        auto *pageNumber =
            pageHeader->add<ReportSystemData>(QStringLiteral("Pagina"), fromMm(236.3), fromMm(2.1),
                                              fromMm(39.7), ReportFont{8, false}, QStringLiteral("Pág.  "));
        pageNumber->setAlignment(ReportAlignment::Right);

        columnHeader = report.addBand(ReportBandKind::ColumnHeader, fromMm(10.6));
        columnHeader->add<ReportShape>(QStringLiteral("Linha1"), QRect(0, 0, fromMm(277), fromMm(0.8)));
        addHeading(QStringLiteral("Código"), 0, 15.9, ReportAlignment::Centre);
        addHeading(QStringLiteral("Usuário"), 16.9, 207.7, ReportAlignment::Left);
        addHeading(QStringLiteral("C P F"), 226.5, 26.5, ReportAlignment::Centre);
        columnHeader->add<ReportShape>(QStringLiteral("Linha2"),
                                       QRect(0, fromMm(10.1), fromMm(277), fromMm(0.8)));

        detail = report.addBand(ReportBandKind::Detail, fromMm(4.0));
        addColumn(QStringLiteral("CODIGO"), 0, 15.9, ReportAlignment::Centre);
        addColumn(QStringLiteral("NOME"), 16.9, 207.7, ReportAlignment::Left);
        addColumn(QStringLiteral("CPF"), 226.5, 26.5, ReportAlignment::Centre);

        summary = report.addBand(ReportBandKind::Summary, fromMm(summaryHeightMm));
        total = summary->add<ReportLabel>(QStringLiteral("Total"), 0, fromMm(0.8), 0, ReportFont{7, true});
        total->setAutoWidth(true);
        total->setBackground(kWhite);

        report.setBeforeGenerate([this](Report &) {
            ++generations;
            detailsPrinted = 0;
            firstColour = true;
            columnHeader->setColour(kGrey);
            total->setText(QStringLiteral("T O T A L"));
        });
        detail->setBeforePrint([this](ReportBand &band) {
            band.setColour(firstColour ? kGreen : kWhite);
            firstColour = !firstColour;
            total->setText(QStringLiteral("Total de Registros : %1").arg(++detailsPrinted));
        });
    }

    static QImage logoPicture()
    {
        QImage picture(40, 40, QImage::Format_RGB32);
        picture.fill(QColor(20, 60, 160));
        QPainter painter(&picture);
        painter.fillRect(10, 10, 20, 20, QColor(230, 180, 20));
        return picture;
    }

private:
    void addHeading(const QString &text, double left, double width, ReportAlignment alignment)
    {
        using ReportUnits::fromMm;
        auto *label = columnHeader->add<ReportLabel>(text, fromMm(left), fromMm(5.0), fromMm(width),
                                                     ReportFont{7, true});
        label->setText(text);
        label->setAlignment(alignment);
    }

    void addColumn(const QString &field, double left, double width, ReportAlignment alignment)
    {
        using ReportUnits::fromMm;
        auto *text =
            detail->add<ReportDataText>(field, fromMm(left), 0, fromMm(width), ReportFont{7, false}, field);
        text->setAlignment(alignment);
    }
};
