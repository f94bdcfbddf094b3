#pragma once

#include "records/FieldDef.h"

#include <QObject>
#include <QString>
#include <QVariant>

class RecordSet;

// Ties one control to one field of a record set. The control shows value() whenever refresh()
// is signalled and hands typed values over with write(). The link never starts an edit: the
// field may be changed only while the set is already inserting or editing.
class FieldLink : public QObject
{
    Q_OBJECT

public:
    explicit FieldLink(QObject *parent = nullptr);

    void bind(RecordSet *set, const QString &field);

    bool canModify() const;
    QVariant value() const; // null when unbound, closed or without a current record
    void write(const QVariant &value);
    // The bound field's definition; a nameless one without a size when unbound.
    FieldDef fieldDef() const;

signals:
    void refresh();         // show the field's value again
    void editableChanged(); // canModify() may have changed
    void updateRequested(); // hand over what was typed, before the record is posted

private:
    bool isMine(int field) const;

    RecordSet *m_set = nullptr;
    QString m_field;
};
