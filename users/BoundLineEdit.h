#pragma once

#include "users/FieldLink.h"

#include <QColor>
#include <QLineEdit>

class RecordSet;

// A line edit that shows one field of a record set and hands what was typed to it when the
// focus leaves, on Enter, or when the record is posted. It is editable only while the set is
// inserting or editing and the control itself is not made read-only.
class BoundLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit BoundLineEdit(QWidget *parent = nullptr);

    void bind(RecordSet *set, const QString &field);
    FieldLink *link() { return &m_link; }

    void setFieldReadOnly(bool readOnly);
    bool fieldReadOnly() const { return m_fieldReadOnly; }
    void setColor(const QColor &color);
    QColor color() const;
    void setUpperCase(bool upper);

    // Writes the typed text into the field, if anything was typed.
    void updateField();

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showField();
    void applyReadOnly();

    FieldLink m_link;
    bool m_fieldReadOnly = false;
};
