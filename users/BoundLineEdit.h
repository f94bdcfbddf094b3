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

    void setFieldReadOnly(bool readOnly);
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
    bool nothingTyped() const;

    FieldLink m_link;
    bool m_fieldReadOnly = false;
    // QLineEdit's own modified flag is lost when a validator rewrites the text.
    bool m_typed = false;
};
