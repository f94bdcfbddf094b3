#include "records/ui/BoundCheckBox.h"

BoundCheckBox::BoundCheckBox(QWidget *parent) : QCheckBox(parent)
{
    connect(&m_link, &FieldLink::refresh, this, &BoundCheckBox::showField);
}

void BoundCheckBox::bind(RecordSet *set, const QString &field)
{
    m_link.bind(set, field);
}

void BoundCheckBox::setValues(const QString &checked, const QString &unchecked)
{
    m_valueChecked = checked;
    m_valueUnchecked = unchecked;
    showField();
}

void BoundCheckBox::showField()
{
    setChecked(!m_valueChecked.isEmpty() &&
               m_link.value().toString().compare(m_valueChecked, Qt::CaseInsensitive) == 0);
}

void BoundCheckBox::nextCheckState()
{
    if (!isEditable())
        return;
    m_link.write(isChecked() ? m_valueUnchecked : m_valueChecked);
}
