#include "reportengine/ui/ReportPreview.h"

#include "reportengine/ReportDocument.h"
#include "reportengine/ReportExportError.h"
#include "reportengine/ReportExportFilter.h"
#include "reportengine/ui/ReportPageView.h"
#include "reportengine/ui/ReportPrinter.h"
#include "widgets/Dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace
{

constexpr int kZoomSteps[] = {25, 50, 75, 100, 125, 150, 200, 300, 400};
constexpr int kInitialZoom = 100;

// The folder a report was last saved to in this run of the program: the next save opens there.
QString &lastSaveFolder()
{
    static QString folder;
    return folder;
}

QString dialogFilter(const ReportExportFilter &filter)
{
    QStringList patterns;
    for (const QString &extension : filter.extensions())
        patterns << QStringLiteral("*.") + extension.toLower();
    return QStringLiteral("%1 (%2)").arg(filter.description(), patterns.join(u' '));
}

// The format whose extension ends fileName, in any case; none when it ends in no known one.
const ReportExportFilter *formatNamedBy(const std::vector<const ReportExportFilter *> &formats,
                                        const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toUpper();
    if (suffix.isEmpty())
        return nullptr;
    const auto named = std::find_if(formats.begin(), formats.end(), [&](const ReportExportFilter *filter) {
        return filter->extensions().contains(suffix);
    });
    return named != formats.end() ? *named : nullptr;
}

} // namespace

ReportPreview::ReportPreview(std::shared_ptr<const ReportDocument> document, QWidget *parent)
    // A dialog, so that it stays with its owner; no minimise button: a modal window minimised
    // would take its owner along with no way back on some desktops.
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_document(std::move(document))
{
    setWindowTitle(QStringLiteral("Visualização do relatório"));
    auto *toolBar = new QToolBar(this);
    // The tool bar's buttons take no focus: each command has its key.
    m_first = toolBar->addAction(QStringLiteral("Primeira"), this, [this] { showPage(1); });
    m_first->setShortcut(QKeySequence::MoveToStartOfDocument);
    m_previous = toolBar->addAction(QStringLiteral("Anterior"), this, [this] { showPage(m_page - 1); });
    m_previous->setShortcut(QKeySequence::MoveToPreviousPage);
    m_pageBox = new QSpinBox(toolBar);
    m_pageBox->setRange(1, pageCount());
    m_pageBox->setPrefix(QStringLiteral("Página "));
    toolBar->addWidget(m_pageBox);
    m_pageCount = new QLabel(QStringLiteral(" de %1 ").arg(pageCount()), toolBar);
    toolBar->addWidget(m_pageCount);
    m_next = toolBar->addAction(QStringLiteral("Próxima"), this, [this] { showPage(m_page + 1); });
    m_next->setShortcut(QKeySequence::MoveToNextPage);
    m_last = toolBar->addAction(QStringLiteral("Última"), this, [this] { showPage(pageCount()); });
    m_last->setShortcut(QKeySequence::MoveToEndOfDocument);
    toolBar->addSeparator();
    m_zoomBox = new QComboBox(toolBar);
    for (const int step : kZoomSteps)
        m_zoomBox->addItem(QStringLiteral("%1 %").arg(step), step);
    toolBar->addWidget(m_zoomBox);
    toolBar->addSeparator();
    toolBar->addAction(QStringLiteral("Imprimir"), this, &ReportPreview::print)
        ->setShortcut(QKeySequence::Print);
    toolBar->addAction(QStringLiteral("Salvar"), this, &ReportPreview::save)->setShortcut(QKeySequence::Save);
    toolBar->addAction(QStringLiteral("Fechar"), this, &QDialog::accept);

    m_view = new ReportPageView;
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_scroll, 1);

    connect(m_pageBox, &QSpinBox::valueChanged, this, &ReportPreview::showPage);
    connect(m_zoomBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { setZoomPercent(m_zoomBox->itemData(index).toInt()); });

    setZoomPercent(kInitialZoom);
    showPage(1);
    setWindowState(Qt::WindowMaximized);
}

ReportPreview::~ReportPreview() = default;

int ReportPreview::pageCount() const
{
    return int(m_document->pages().size());
}

int ReportPreview::zoomPercent() const
{
    return int(m_view->zoom() * 100.0 + 0.5);
}

void ReportPreview::showPage(int number)
{
    m_page = std::clamp(number, 1, pageCount());
    m_view->setPage(&m_document->pages()[std::size_t(m_page - 1)]);
    // A new page is read from its top, wherever the previous one was scrolled to.
    m_scroll->verticalScrollBar()->setValue(m_scroll->verticalScrollBar()->minimum());
    const QSignalBlocker blocker(m_pageBox);
    m_pageBox->setValue(m_page);
    updateActions();
}

void ReportPreview::setZoomPercent(int percent)
{
    m_view->setZoom(percent / 100.0);
    const QSignalBlocker blocker(m_zoomBox);
    const int index = m_zoomBox->findData(percent);
    if (index >= 0)
        m_zoomBox->setCurrentIndex(index);
}

void ReportPreview::updateActions()
{
    m_first->setEnabled(m_page > 1);
    m_previous->setEnabled(m_page > 1);
    m_next->setEnabled(m_page < pageCount());
    m_last->setEnabled(m_page < pageCount());
}

void ReportPreview::print()
{
    QPrinter printer(QPrinter::HighResolution);
    ReportPrinter::configure(printer, *m_document);
    // The job's name in the print queue, and the file name a printer that writes files gives it.
    printer.setDocName(m_title);
    if (!Dialogs::printSetup(this, &printer))
        return;
    if (const QString failure = ReportPrinter::print(*m_document, printer); !failure.isEmpty())
        Dialogs::error(this,
                       QStringLiteral("Não foi possível imprimir o relatório na impressora %1.")
                           .arg(printer.printerName()),
                       failure);
}

std::vector<const ReportExportFilter *> ReportPreview::saveFormats() const
{
    std::vector<const ReportExportFilter *> formats = m_saveFormats;
    std::stable_partition(formats.begin(), formats.end(), [](const ReportExportFilter *filter) {
        return filter->extension() == QLatin1String("PDF");
    });
    return formats;
}

QString ReportPreview::proposedFileName(const ReportExportFilter &format) const
{
    QString name = m_title + QDate::currentDate().toString(QStringLiteral(" dd-MM-yyyy"));
    // A title is no path: a slash in it would point into a folder.
    name.replace(u'/', u'-').replace(u'\\', u'-');
    name += u'.' + format.extension().toLower();
    return lastSaveFolder().isEmpty() ? name : QDir(lastSaveFolder()).filePath(name);
}

void ReportPreview::save()
{
    const std::vector<const ReportExportFilter *> formats = saveFormats();
    if (formats.empty()) {
        Dialogs::message(
            this, QStringLiteral("Nenhum formato de arquivo está disponível para salvar o relatório."));
        return;
    }
    QStringList filters;
    for (const ReportExportFilter *filter : formats)
        filters << dialogFilter(*filter);
    QString selected = filters.first();
    QString fileName =
        Dialogs::saveFileName(this, QStringLiteral("Salvar relatório"), proposedFileName(*formats.front()),
                              filters.join(QStringLiteral(";;")), &selected);
    if (fileName.isEmpty())
        return;
    // The extension typed with the name chooses the format; a name that ends in none of them
    // gets the extension of the format chosen in the dialog.
    const ReportExportFilter *filter = formatNamedBy(formats, fileName);
    if (!filter) {
        filter = formats[std::size_t(std::max<qsizetype>(0, filters.indexOf(selected)))];
        fileName += u'.' + filter->extension().toLower();
    }
    try {
        filter->save(*m_document, fileName);
    } catch (const ReportExportError &error) {
        Dialogs::error(this, error.text(), error.detail());
        return;
    }
    lastSaveFolder() = QFileInfo(fileName).absolutePath();
}
