// The bare reference for the users report in scripts/bench-reports.sh: the same work done with Qt's
// own PDF writer and nothing of the report engine. It reads the same rows and logo from the
// database in a folder, then paints the users report's layout (page header with the logo, four
// lines and the page number; the grey column header between its rules; the detail rows in their
// alternating colours; the total at the end) on A4 landscape pages with QPdfWriter.
//   bench_report_reference <folder> <pdf>
#include "db/SqlQuery.h"
#include "session/TdmPrincipal.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>

namespace
{

constexpr double kDotsPerMm = 300 / 25.4;

QRectF mm(double left, double top, double width, double height)
{
    return QRectF(left * kDotsPerMm, top * kDotsPerMm, width * kDotsPerMm, height * kDotsPerMm);
}

QFont font(int points, bool bold)
{
    QFont f(QStringLiteral("Helvetica"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_report_reference <folder> <pdf>\n");
        return 2;
    }
    TdmPrincipal module;
    dmPrincipal = &module;
    module.NimboConnection->setParam(QStringLiteral("Database"), app.arguments().at(1) + "/LICITACAO.FDB");
    module.NimboConnection->setParam(QStringLiteral("ServerCharSet"), QStringLiteral("WIN1252"));
    SqlQuery orgao(module.NimboConnection);
    orgao.setSql(QStringLiteral("SELECT A.ORGAO, A.B_LOGOMARCA FROM ORGAOS A WHERE A.I_ORGAO=1"));
    orgao.open();
    SqlQuery usuarios(module.NimboConnection);
    usuarios.setSql(
        QStringLiteral("SELECT A.IDUSUARIO, A.USUARIO, A.CPF FROM USUARIOS_ESTOC A ORDER BY A.IDUSUARIO"));
    usuarios.open();
    const QImage logo = QImage::fromData(orgao.value(0, 1).toByteArray(), "JPEG");
    const QString orgaoNome = orgao.value(0, 0).toString();

    QPdfWriter pdf(app.arguments().at(2));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    pdf.setResolution(300);
    QPainter painter(&pdf);
    const double pageHeight = 190, detail = 4, summary = 19.8;
    int page = 0, row = 0;
    double y = pageHeight;
    const auto text = [&](double left, double top, double width, double height, int points, bool bold,
                          const QString &value, Qt::Alignment alignment = Qt::AlignLeft) {
        painter.setFont(font(points, bold));
        painter.drawText(mm(left, top, width, height), alignment | Qt::AlignVCenter, value);
    };
    const auto header = [&] {
        if (page++ > 0)
            pdf.newPage();
        painter.drawImage(mm(2.6, 2.4, 25.1, 25.4), logo);
        text(28.3, 10.1, 194.2, 4.5, 10, true, QStringLiteral("ESTADO DE MINAS GERAIS"));
        text(28.3, 14.8, 194.2, 4.5, 10, true, orgaoNome);
        text(28.3, 19.6, 194.2, 4, 8, false, QStringLiteral("Relatório dos Usuários"));
        text(28.3, 23.8, 194.2, 4, 8, false, QStringLiteral("Exercício : 2017"));
        text(236.3, 2.1, 39.7, 4, 8, false, QStringLiteral("Pág.  %1").arg(page), Qt::AlignRight);
        painter.fillRect(mm(0, 28.3, 277, 10.6), QColor(192, 192, 192));
        painter.fillRect(mm(0, 28.3, 277, 0.8), Qt::black);
        text(0, 33.3, 15.9, 4, 7, true, QStringLiteral("Código"), Qt::AlignHCenter);
        text(16.9, 33.3, 207.7, 4, 7, true, QStringLiteral("Usuário"));
        text(226.5, 33.3, 26.5, 4, 7, true, QStringLiteral("C P F"), Qt::AlignHCenter);
        painter.fillRect(mm(0, 38.4, 277, 0.8), Qt::black);
        y = 28.3 + 10.6;
    };
    for (row = 0; row < usuarios.rowCount(); ++row) {
        if (page == 0 || y + detail > pageHeight)
            header();
        painter.fillRect(mm(0, y, 277, detail), row % 2 == 0 ? QColor(192, 220, 192) : QColor(Qt::white));
        text(0, y, 15.9, detail, 7, false, usuarios.value(row, 0).toString(), Qt::AlignHCenter);
        text(16.9, y, 207.7, detail, 7, false, usuarios.value(row, 1).toString());
        text(226.5, y, 26.5, detail, 7, false, usuarios.value(row, 2).toString(), Qt::AlignHCenter);
        y += detail;
    }
    if (page == 0 || y + summary > pageHeight)
        header();
    painter.fillRect(mm(0, y - 0.5, 277, 1.3), Qt::black);
    text(0, y + 0.8, 100, 4, 7, true, QStringLiteral("Total de Registros : %L1").arg(row));
    painter.fillRect(mm(0, y + 4.0, 277, 1.3), Qt::black);
    return 0;
}
