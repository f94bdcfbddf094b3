#include "records/RecordGridModel.h"

#include "records/RecordSet.h"

RecordGridModel::RecordGridModel(RecordSet *set, QObject *parent) : QAbstractTableModel(parent), m_set(set)
{
    connect(set, &RecordSet::dataChanged, this, &RecordGridModel::reload);
    connect(set, &RecordSet::fieldChanged, this, [this] {
        if (m_set->recNo() >= 0)
            emit dataChanged(index(m_set->recNo(), 0), index(m_set->recNo(), int(m_columns.size()) - 1));
    });
}

void RecordGridModel::setColumns(const QList<Column> &columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
    reload();
}

void RecordGridModel::setColumnColor(int column, const QColor &color)
{
    m_columns[column].color = color;
    emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::BackgroundRole});
}

void RecordGridModel::reload()
{
    beginResetModel();
    m_fieldOf.clear();
    for (const Column &column : std::as_const(m_columns))
        m_fieldOf.append(m_set->fieldIndex(column.field));
    endResetModel();
}

int RecordGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_set->recordCount();
}

int RecordGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RecordGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: {
        const int field = m_fieldOf.value(index.column(), -1);
        return field < 0 ? QVariant() : m_set->valueAt(index.row(), field);
    }
    case Qt::BackgroundRole:
        return m_columns.at(index.column()).color;
    default:
        return QVariant();
    }
}

QVariant RecordGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_columns.size())
        return m_columns.at(section).title;
    return QVariant();
}
