#pragma once

#include <QDialog>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class ReportDocument;
class ReportExportFilter;
class ReportPageView;

// The modal preview of a generated report: an ordinary window, maximised, at 100 %; pages,
// zoom, printing and saving in the formats it is given, PDF proposed first.
// Errors of printing and saving are reported here and leave the preview open.
class ReportPreview : public QDialog
{
    Q_OBJECT

public:
    explicit ReportPreview(std::shared_ptr<const ReportDocument> document, QWidget *parent = nullptr);
    ~ReportPreview() override;

    int currentPage() const { return m_page; } // from 1
    int pageCount() const;
    int zoomPercent() const;

    // Names the files the report is saved to and the print job; "Relatório" until set.
    void setTitle(const QString &title) { m_title = title; }
    // The formats the save offers, each outliving the preview; none until set.
    void setSaveFormats(std::vector<const ReportExportFilter *> formats)
    {
        m_saveFormats = std::move(formats);
    }

    void showPage(int number);
    void setZoomPercent(int percent);
    void print();
    void save();

private:
    void updateActions();
    std::vector<const ReportExportFilter *> saveFormats() const;
    // The report's title and today's date, with the format's extension, in the folder of the
    // last save of this program run.
    QString proposedFileName(const ReportExportFilter &format) const;

    std::shared_ptr<const ReportDocument> m_document;
    QString m_title = QStringLiteral("Relatório");
    std::vector<const ReportExportFilter *> m_saveFormats;
    int m_page = 1;
    ReportPageView *m_view;
    QScrollArea *m_scroll;
    QSpinBox *m_pageBox;
    QLabel *m_pageCount;
    QComboBox *m_zoomBox;
    QAction *m_first;
    QAction *m_previous;
    QAction *m_next;
    QAction *m_last;
};
