#pragma once

#include "records/FieldDef.h"
#include "records/RecordIndex.h"
#include "records/RecordProvider.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

// Records held in memory, read through a provider, edited one at a time and kept as pending
// changes until applyUpdates() writes them. The set browses its records, or inserts or edits
// the current one; post() keeps the edit in memory, cancel() drops it.
//
// Text fields hold QString, binary fields QByteArray; setting an empty value stores null.
// setValue() refuses text longer than its field with fb::Error, or cuts it for a field marked
// cutToSize, so that nothing reaches the database that its column cannot hold.
// The rule handlers (after insert, after edit, field change) run synchronously and may throw:
// the exception leaves the call that ran them, with the set in the state it had reached.
class RecordSet : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Insert, Edit };

    explicit RecordSet(QObject *parent = nullptr);

    void setProvider(RecordProvider *provider) { m_provider = provider; }
    // Without definitions, the fields are the columns of the SELECT, as text, until close().
    void setFieldDefs(const QList<FieldDef> &fields) { m_fields = fields; }
    int fieldCount() const { return int(m_fields.size()); }
    int fieldIndex(const QString &name) const; // -1 when absent
    const FieldDef &fieldDef(int index) const { return m_fields.at(index); }

    // Replaces the provider's SELECT when not empty.
    void setCommandText(const QString &text) { m_commandText = text; }
    void setParam(const QString &name, const QVariant &value);

    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Insert || m_state == State::Edit; }

    int recordCount() const { return int(m_order.size()); }
    bool isEmpty() const { return m_order.isEmpty(); }
    // Position of the current record in the present order; -1 when there is none.
    int recNo() const { return m_current; }
    void setRecNo(int position);
    QVariant valueAt(int position, int field) const;

    // The current record's values; null when there is no current record.
    QVariant value(int field) const;
    QVariant value(const QString &field) const;
    QString text(const QString &field) const;
    bool isNull(const QString &field) const { return value(field).isNull(); }
    void setValue(const QString &field, const QVariant &value);

    void setAfterInsert(std::function<void()> handler) { m_afterInsert = std::move(handler); }
    void setAfterEdit(std::function<void()> handler) { m_afterEdit = std::move(handler); }
    void setFieldChange(const QString &field, std::function<void()> handler);

    void append();
    void edit();
    void post();
    void cancel();
    void remove();
    // Asks the bound controls to hand over what was typed into them.
    void updateRecord();

    int changeCount() const;
    // Posts a pending edit, then writes every pending change. Returns the number of changes
    // the database refused; when that exceeds maxErrors nothing was written and every change
    // is still pending, otherwise the written ones are no longer pending. applyError() then
    // tells why the first refused change was refused. A failure that stops the writing (the
    // connection lost, say) is thrown with every change still pending, except a LostCommit
    // whose rows were found stored: those changes are no longer pending.
    int applyUpdates(int maxErrors);
    const std::optional<fb::Error> &applyError() const { return m_applyError; }
    // Puts the current record, posted but not yet written, back into its insertion or its
    // change, as it was before it was posted, so the operator can go on or try again.
    void resumeEditing();
    // Drops every pending change: insertions disappear, changes and deletions are undone.
    void cancelUpdates();

    // Orders the records by one text field; empty restores the load order. The current
    // record stays current.
    void setIndexFieldName(const QString &field);
    // Makes current the first record whose index value equals text or sorts after it, or the
    // last record when every value sorts before text.
    void findNearest(const QString &text);

signals:
    void stateChanged();
    void dataChanged();    // records loaded, added, removed or reordered
    void currentChanged(); // another record is current, or the current record's values were replaced
    void fieldChanged(int field);
    void updateRecordRequested();

private:
    enum class Status { Unchanged, Inserted, Modified };
    struct Record {
        int id = 0;
        QList<QVariant> values;
        QList<QVariant> original;
        Status status = Status::Unchanged;
    };
    struct Deleted {
        Record record;
        int storageIndex = 0;
    };

    int requireField(const QString &name) const;
    void requireActive() const;
    void requireEditing() const;
    Record &currentRecord() { return m_records[m_order.at(m_current)]; }
    const Record *current() const;
    QVariant normalised(int field, const QVariant &value) const;
    void rebuildOrder();
    void setState(State state);
    void markApplied(const QList<int> &sources, const QList<bool> &applied);

    RecordProvider *m_provider = nullptr;
    QList<FieldDef> m_fields;
    bool m_fieldsFromQuery = false;
    QString m_commandText;
    RecordProvider::Params m_params;

    State m_state = State::Inactive;
    QList<Record> m_records; // load order; insertions at the end
    QList<Deleted> m_deleted;
    QList<int> m_order; // position -> index into m_records
    int m_current = -1;
    int m_nextId = 1;
    Record m_beforeEdit;
    int m_positionBeforeInsert = -1;

    QString m_indexField;
    RecordIndex m_index;
    std::optional<fb::Error> m_applyError;

    std::function<void()> m_afterInsert;
    std::function<void()> m_afterEdit;
    QList<QPair<QString, std::function<void()>>> m_fieldChange;
};
