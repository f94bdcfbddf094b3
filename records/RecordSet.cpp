#include "records/RecordSet.h"

#include "db/FbError.h"

#include <algorithm>

RecordSet::RecordSet(QObject *parent) : QObject(parent) {}

int RecordSet::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int RecordSet::requireField(const QString &name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw fb::Error(QStringLiteral("Campo '%1' não encontrado.").arg(name));
    return index;
}

void RecordSet::requireActive() const
{
    if (!isActive())
        throw fb::Error(QStringLiteral("Os dados não estão abertos."));
}

void RecordSet::requireEditing() const
{
    if (!isEditing())
        throw fb::Error(QStringLiteral("O registro não está em inclusão ou alteração."));
}

const RecordSet::Record *RecordSet::current() const
{
    return m_current < 0 ? nullptr : &m_records.at(m_order.at(m_current));
}

void RecordSet::setParam(const QString &name, const QVariant &value)
{
    for (auto &param : m_params) {
        if (param.first.compare(name, Qt::CaseInsensitive) == 0) {
            param.second = value;
            return;
        }
    }
    m_params.append({name, value});
}

void RecordSet::setFieldChange(const QString &field, std::function<void()> handler)
{
    m_fieldChange.append({field, std::move(handler)});
}

void RecordSet::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

QVariant RecordSet::normalised(int field, const QVariant &value) const
{
    if (value.isNull())
        return QVariant();
    if (m_fields.at(field).kind == FieldDef::Kind::Binary) {
        const QByteArray bytes = value.toByteArray();
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    const FieldDef &def = m_fields.at(field);
    QString text = value.toString();
    if (def.size > 0 && text.size() > def.size) {
        if (!def.cutToSize)
            throw fb::Error(def.tooLongMessage());
        text.truncate(def.size);
    }
    return text.isEmpty() ? QVariant() : QVariant(text);
}

void RecordSet::open()
{
    if (isActive())
        return;
    if (!m_provider)
        throw fb::Error(QStringLiteral("Os dados não têm de onde ser lidos."));
    const RecordProvider::Rows rows = m_provider->fetch(m_commandText, m_params);

    QList<int> columnOf;
    if (m_fields.isEmpty()) {
        m_fieldsFromQuery = true;
        for (const QString &column : rows.columns) {
            m_fields.append(FieldDef{column});
            columnOf.append(int(columnOf.size()));
        }
    } else {
        for (const FieldDef &field : std::as_const(m_fields)) {
            const int column = int(rows.columns.indexOf(field.name.toUpper()));
            if (column < 0)
                throw fb::Error(QStringLiteral("Campo '%1' não encontrado.").arg(field.name));
            columnOf.append(column);
        }
    }

    m_records.clear();
    m_records.reserve(rows.values.size());
    for (const QList<QVariant> &row : rows.values) {
        Record record;
        record.id = m_nextId++;
        record.values.reserve(m_fields.size());
        for (int f = 0; f < m_fields.size(); ++f) {
            const QVariant &read = row.at(columnOf.at(f));
            if (read.isNull())
                record.values.append(QVariant());
            else if (m_fields.at(f).kind == FieldDef::Kind::Binary)
                record.values.append(read.toByteArray());
            else
                record.values.append(read.toString());
        }
        record.original = record.values;
        m_records.append(std::move(record));
    }
    m_deleted.clear();
    m_current = -1;
    rebuildOrder();
    m_current = m_order.isEmpty() ? -1 : 0;
    setState(State::Browse);
    emit dataChanged();
    emit currentChanged();
}

void RecordSet::close()
{
    if (!isActive())
        return;
    m_records.clear();
    m_deleted.clear();
    m_order.clear();
    m_current = -1;
    if (m_fieldsFromQuery) {
        m_fields.clear();
        m_fieldsFromQuery = false;
    }
    setState(State::Inactive);
    emit dataChanged();
    emit currentChanged();
}

void RecordSet::rebuildOrder()
{
    const int currentId = current() ? current()->id : -1;
    if (m_indexField.isEmpty()) {
        m_order.resize(m_records.size());
        for (int i = 0; i < m_records.size(); ++i)
            m_order[i] = i;
    } else {
        const int field = requireField(m_indexField);
        QList<QString> texts;
        texts.reserve(m_records.size());
        for (const Record &record : std::as_const(m_records))
            texts.append(record.values.at(field).toString());
        m_index.build(texts);
        m_order = m_index.order();
    }
    m_current = -1;
    for (int position = 0; position < m_order.size(); ++position) {
        if (m_records.at(m_order.at(position)).id == currentId) {
            m_current = position;
            break;
        }
    }
}

void RecordSet::setRecNo(int position)
{
    requireActive();
    if (isEditing())
        post();
    if (position < 0 || position >= m_order.size() || position == m_current)
        return;
    m_current = position;
    emit currentChanged();
}

QVariant RecordSet::valueAt(int position, int field) const
{
    return m_records.at(m_order.at(position)).values.at(field);
}

QVariant RecordSet::value(int field) const
{
    const Record *record = current();
    if (field < 0 || field >= m_fields.size())
        throw fb::Error(QStringLiteral("Campo %1 não encontrado.").arg(field));
    return record ? record->values.at(field) : QVariant();
}

QVariant RecordSet::value(const QString &field) const
{
    return value(requireField(field));
}

QString RecordSet::text(const QString &field) const
{
    return value(field).toString();
}

void RecordSet::setValue(const QString &field, const QVariant &value)
{
    const int index = requireField(field);
    requireEditing();
    currentRecord().values[index] = normalised(index, value);
    emit fieldChanged(index);
    for (const auto &handler : std::as_const(m_fieldChange)) {
        if (handler.first.compare(m_fields.at(index).name, Qt::CaseInsensitive) == 0)
            handler.second();
    }
}

void RecordSet::append()
{
    requireActive();
    if (isEditing())
        post();
    Record record;
    record.id = m_nextId++;
    record.values = QList<QVariant>(m_fields.size());
    record.status = Status::Inserted;
    m_records.append(std::move(record));
    m_positionBeforeInsert = m_current;
    m_order.append(int(m_records.size()) - 1);
    m_current = int(m_order.size()) - 1;
    setState(State::Insert);
    emit dataChanged();
    emit currentChanged();
    if (m_afterInsert)
        m_afterInsert();
}

void RecordSet::edit()
{
    requireActive();
    if (isEditing())
        return;
    if (!current())
        throw fb::Error(QStringLiteral("Não há registro para alterar."));
    m_beforeEdit = currentRecord();
    setState(State::Edit);
    if (m_afterEdit)
        m_afterEdit();
}

void RecordSet::post()
{
    requireEditing();
    updateRecord();
    Record &record = currentRecord();
    for (int f = 0; f < m_fields.size(); ++f) {
        if (m_fields.at(f).required && record.values.at(f).isNull())
            throw fb::Error(
                QStringLiteral("O campo '%1' precisa ser preenchido.").arg(m_fields.at(f).shownName()));
    }
    if (record.status != Status::Inserted)
        record.status = record.values == record.original ? Status::Unchanged : Status::Modified;
    setState(State::Browse);
    if (!m_indexField.isEmpty()) {
        rebuildOrder();
        emit dataChanged();
    }
    emit currentChanged();
}

void RecordSet::cancel()
{
    if (m_state == State::Insert) {
        m_records.removeAt(m_order.at(m_current));
        m_order.removeAt(m_current);
        m_current = std::min(m_positionBeforeInsert, int(m_order.size()) - 1);
        setState(State::Browse);
        emit dataChanged();
    } else if (m_state == State::Edit) {
        currentRecord() = m_beforeEdit;
        setState(State::Browse);
    } else {
        return;
    }
    emit currentChanged();
}

void RecordSet::remove()
{
    requireActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (!current())
        throw fb::Error(QStringLiteral("Não há registro para excluir."));
    const int storageIndex = m_order.at(m_current);
    if (m_records.at(storageIndex).status != Status::Inserted)
        m_deleted.append({m_records.at(storageIndex), storageIndex});
    m_records.removeAt(storageIndex);
    const int position = m_current;
    m_current = -1;
    rebuildOrder();
    m_current = m_order.isEmpty() ? -1 : std::min(position, int(m_order.size()) - 1);
    emit dataChanged();
    emit currentChanged();
}

void RecordSet::updateRecord()
{
    if (isEditing())
        emit updateRecordRequested();
}

int RecordSet::changeCount() const
{
    const auto pending = std::count_if(m_records.cbegin(), m_records.cend(), [](const Record &record) {
        return record.status != Status::Unchanged;
    });
    return int(m_deleted.size() + pending);
}

int RecordSet::applyUpdates(int maxErrors)
{
    requireActive();
    if (isEditing())
        post();
    if (!m_provider)
        throw fb::Error(QStringLiteral("Os dados não têm onde ser gravados."));

    QList<RecordChange> changes;
    QList<int> sources; // -1 - i for the i-th deletion, else the storage index
    for (int i = 0; i < m_deleted.size(); ++i) {
        changes.append({RecordChange::Kind::Delete, {}, m_deleted.at(i).record.original});
        sources.append(-1 - i);
    }
    for (int i = 0; i < m_records.size(); ++i) {
        const Record &record = m_records.at(i);
        if (record.status == Status::Inserted)
            changes.append({RecordChange::Kind::Insert, record.values, {}});
        else if (record.status == Status::Modified)
            changes.append({RecordChange::Kind::Update, record.values, record.original});
        else
            continue;
        sources.append(i);
    }
    if (changes.isEmpty())
        return 0;

    m_applyError.reset();
    RecordProvider::ApplyResult result;
    try {
        result = m_provider->apply(m_fields, changes, maxErrors);
    } catch (const LostCommit &lost) {
        if (lost.outcome() == LostCommit::Outcome::Stored)
            markApplied(sources, QList<bool>(changes.size(), true));
        throw;
    }
    markApplied(sources, result.applied);
    m_applyError = result.firstError;
    return result.errors;
}

void RecordSet::markApplied(const QList<int> &sources, const QList<bool> &applied)
{
    QList<int> appliedDeletions;
    for (int c = 0; c < sources.size(); ++c) {
        if (!applied.at(c))
            continue;
        if (sources.at(c) < 0) {
            appliedDeletions.append(-1 - sources.at(c));
        } else {
            Record &record = m_records[sources.at(c)];
            record.original = record.values;
            record.status = Status::Unchanged;
        }
    }
    for (auto i = appliedDeletions.size() - 1; i >= 0; --i)
        m_deleted.removeAt(appliedDeletions.at(i));
}

void RecordSet::resumeEditing()
{
    requireActive();
    const Record *record = current();
    if (isEditing() || !record || record->status == Status::Unchanged)
        return;
    // An insertion is resumed as an insertion: cancelling it drops the record, and its key
    // can still be typed. A change keeps the values it started from, so cancelling restores them.
    setState(record->status == Status::Inserted ? State::Insert : State::Edit);
    emit currentChanged();
}

void RecordSet::cancelUpdates()
{
    requireActive();
    cancel();
    const int currentId = current() ? current()->id : -1;
    int restoredId = -1;
    for (auto i = m_records.size() - 1; i >= 0; --i) {
        Record &record = m_records[i];
        if (record.status == Status::Inserted) {
            m_records.removeAt(i);
        } else if (record.status == Status::Modified) {
            record.values = record.original;
            record.status = Status::Unchanged;
        }
    }
    for (auto i = m_deleted.size() - 1; i >= 0; --i) {
        const Deleted &deleted = m_deleted.at(i);
        m_records.insert(std::min<qsizetype>(deleted.storageIndex, m_records.size()), deleted.record);
        restoredId = deleted.record.id;
    }
    m_deleted.clear();

    m_current = -1;
    rebuildOrder();
    const int wanted = restoredId >= 0 ? restoredId : currentId;
    m_current = -1;
    for (int position = 0; position < m_order.size(); ++position) {
        if (m_records.at(m_order.at(position)).id == wanted)
            m_current = position;
    }
    if (m_current < 0 && !m_order.isEmpty())
        m_current = 0;
    emit dataChanged();
    emit currentChanged();
}

void RecordSet::setIndexFieldName(const QString &field)
{
    if (!field.isEmpty() && isActive())
        requireField(field);
    m_indexField = field;
    if (!isActive())
        return;
    if (isEditing())
        post();
    rebuildOrder();
    emit dataChanged();
    emit currentChanged();
}

void RecordSet::findNearest(const QString &text)
{
    requireActive();
    if (m_indexField.isEmpty())
        throw fb::Error(QStringLiteral("Os dados não estão ordenados por um campo."));
    // The index must hold the record being edited before it is searched.
    if (isEditing())
        post();
    if (m_order.isEmpty())
        return;
    setRecNo(std::min(m_index.lowerBound(text), int(m_order.size()) - 1));
}
