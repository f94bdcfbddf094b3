#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QString>

class RecordSet;

// The records of a record set as table rows, in the set's present order, with one column per
// grid column: its field's value, its title and its background colour.
class RecordGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Column {
        QString field;
        QString title;
        int width = 64;
        QColor color = Qt::white;
    };

    explicit RecordGridModel(RecordSet *set, QObject *parent = nullptr);

    void setColumns(const QList<Column> &columns);
    const QList<Column> &columns() const { return m_columns; }
    void setColumnColor(int column, const QColor &color);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void reload();

    RecordSet *m_set;
    QList<Column> m_columns;
    QList<int> m_fieldOf; // column -> field index of the set, -1 when absent
};
