#pragma once

#include "records/RecordGridModel.h"

#include <QTableView>

class RecordSet;

// A read-only grid over a record set: one row per record, whole-row selection that follows
// the set's current record both ways, clickable column titles, coloured columns. A form makes
// it; its window binds it to the set before setting the columns.
class RecordGrid : public QTableView
{
    Q_OBJECT

public:
    explicit RecordGrid(QWidget *parent = nullptr);

    // Once, before the columns are set.
    void bind(RecordSet *set);

    void setColumns(const QList<RecordGridModel::Column> &columns);
    const RecordGridModel::Column &column(int index) const { return m_model->columns().at(index); }
    int columnCount() const { return int(m_model->columns().size()); }
    void setColumnColor(int column, const QColor &color) { m_model->setColumnColor(column, color); }

signals:
    void titleClicked(int column);
    // A double click anywhere in the rows area, also where there is no row.
    void gridDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void followRecord();

    RecordSet *m_set = nullptr;
    RecordGridModel *m_model = nullptr;
    bool m_following = false;
};
