#pragma once

#include "records/FieldLink.h"

#include <QColor>
#include <QLineEdit>

class RecordSet;

// A line edit that shows one field of a record set and hands what was typed to it when the
// focus leaves, on Enter, before a shortcut acts (ShortcutHandOver), or when the record is posted. It is
// editable only while the set is inserting or editing and the control itself is not made read-only.
class BoundLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit BoundLineEdit(QWidget *parent = nullptr);

    void bind(RecordSet *set, const QString &field);

    void setFieldReadOnly(bool readOnly);
    void setColor(const QColor &color);
    QColor color() const;

    // What a person may type or paste: anything (fields the program fills), upper-case text that
    // the field can store (see UpperCaseValidator), or digits up to the field's size.
    enum class Typing { Any, UpperCase, Digits };
    void setTyping(Typing typing);

    // Writes the typed text into the field, if anything was typed.
    void updateField();

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showField();
    void applyReadOnly();
    void applyTyping();
    bool nothingTyped() const;

    FieldLink m_link;
    bool m_fieldReadOnly = false;
    Typing m_typing = Typing::Any;
    // QLineEdit's own modified flag is lost when a validator rewrites the text.
    bool m_typed = false;
};
