#include "records/FieldLink.h"

#include "records/RecordSet.h"

FieldLink::FieldLink(QObject *parent) : QObject(parent) {}

void FieldLink::bind(RecordSet *set, const QString &field)
{
    if (m_set)
        disconnect(m_set, nullptr, this, nullptr);
    m_set = set;
    m_field = field;
    connect(set, &RecordSet::dataChanged, this, &FieldLink::refresh);
    connect(set, &RecordSet::currentChanged, this, &FieldLink::refresh);
    connect(set, &RecordSet::fieldChanged, this, [this](int field) {
        if (isMine(field))
            emit refresh();
    });
    connect(set, &RecordSet::stateChanged, this, &FieldLink::editableChanged);
    connect(set, &RecordSet::updateRecordRequested, this, &FieldLink::updateRequested);
    emit editableChanged();
    emit refresh();
}

bool FieldLink::isMine(int field) const
{
    return m_set && m_set->fieldIndex(m_field) == field;
}

bool FieldLink::canModify() const
{
    return m_set && m_set->isEditing() && m_set->fieldIndex(m_field) >= 0;
}

QVariant FieldLink::value() const
{
    if (!m_set || !m_set->isActive() || m_set->fieldIndex(m_field) < 0)
        return QVariant();
    return m_set->value(m_field);
}

void FieldLink::write(const QVariant &value)
{
    if (canModify())
        m_set->setValue(m_field, value);
}

FieldDef FieldLink::fieldDef() const
{
    const int index = m_set ? m_set->fieldIndex(m_field) : -1;
    return index < 0 ? FieldDef{} : m_set->fieldDef(index);
}
