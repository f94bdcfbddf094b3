#include "records/ui/RecordGrid.h"

#include "records/RecordSet.h"

#include <QHeaderView>
#include <QScopedValueRollback>

RecordGrid::RecordGrid(QWidget *parent) : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    // Rows are chosen whole: Tab leaves the grid, and Ctrl+Tab reaches the tab widget around it.
    setTabKeyNavigation(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(192, 192, 192); "
                       "border: 1px solid gray; padding: 2px; }"));

    // The selected row stays marked when the focus is elsewhere.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &RecordGrid::titleClicked);
}

void RecordGrid::bind(RecordSet *set)
{
    m_set = set;
    m_model = new RecordGridModel(set, this);
    setModel(m_model);
    connect(set, &RecordSet::dataChanged, this, &RecordGrid::followRecord);
    connect(set, &RecordSet::currentChanged, this, &RecordGrid::followRecord);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_following && current.isValid())
                    m_set->setRecNo(current.row());
            });
}

void RecordGrid::setColumns(const QList<RecordGridModel::Column> &columns)
{
    m_model->setColumns(columns);
    for (int i = 0; i < columns.size(); ++i)
        setColumnWidth(i, columns.at(i).width);
    followRecord();
}

void RecordGrid::followRecord()
{
    const QScopedValueRollback following(m_following, true);
    const int row = m_set->recNo();
    if (row < 0 || m_model->columnCount() == 0) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex target = m_model->index(row, std::max(0, currentIndex().column()));
    selectionModel()->setCurrentIndex(target,
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(target);
}

void RecordGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit gridDoubleClicked();
}
