#include "users/BoundLineEdit.h"

#include "users/UpperCaseValidator.h"

#include <algorithm>

BoundLineEdit::BoundLineEdit(QWidget *parent) : QLineEdit(parent)
{
    connect(&m_link, &FieldLink::refresh, this, &BoundLineEdit::showField);
    connect(&m_link, &FieldLink::editableChanged, this, &BoundLineEdit::applyReadOnly);
    connect(&m_link, &FieldLink::updateRequested, this, &BoundLineEdit::updateField);
    connect(this, &QLineEdit::editingFinished, this, &BoundLineEdit::updateField);
    connect(this, &QLineEdit::textEdited, this, [this] { m_typed = true; });
    applyReadOnly();
}

void BoundLineEdit::bind(RecordSet *set, const QString &field)
{
    m_link.bind(set, field);
}

void BoundLineEdit::setFieldReadOnly(bool readOnly)
{
    m_fieldReadOnly = readOnly;
    applyReadOnly();
}

void BoundLineEdit::applyReadOnly()
{
    setReadOnly(m_fieldReadOnly || !m_link.canModify());
}

void BoundLineEdit::setColor(const QColor &color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, color);
    setPalette(colours);
}

QColor BoundLineEdit::color() const
{
    return palette().color(QPalette::Base);
}

void BoundLineEdit::setUpperCase(bool upper)
{
    setValidator(upper ? new UpperCaseValidator(this) : nullptr);
}

void BoundLineEdit::showField()
{
    setText(m_link.value().toString());
    m_typed = false;
}

bool BoundLineEdit::nothingTyped() const
{
    const QString typed = text();
    return std::none_of(typed.cbegin(), typed.cend(), [](QChar c) { return c.isLetterOrNumber(); });
}

void BoundLineEdit::updateField()
{
    if (!m_typed || isReadOnly())
        return;
    m_typed = false;
    // A masked edit always returns its separators; with nothing typed into it the field is empty.
    m_link.write(!inputMask().isEmpty() && nothingTyped() ? QString() : text());
}

void BoundLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    updateField();
}
