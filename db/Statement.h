#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

namespace Firebird
{
class IStatement;
class IMessageMetadata;
class IResultSet;
} // namespace Firebird

namespace fb
{

class Attachment;
class Transaction;
class Cursor;
struct InputValue;

// A statement prepared once and executed any number of times with positional ('?') parameters.
//
// Parameter values: QString (text, sent as WIN1252; also fills text blobs), QByteArray (binary:
// blobs, or text columns byte for byte), integral types, fb::Decimal, double, QDate, QDateTime,
// bool, and a null QVariant for NULL. The server converts each value to the parameter's
// declared type and reports what does not fit.
class Statement
{
public:
    Statement(Transaction &transaction, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void setParam(int index, const QVariant &value);

    // Runs a statement that returns no rows (or a singleton EXECUTE ... RETURNING); the number
    // of rows inserted, updated or deleted.
    qint64 execute();
    // Opens the rows of a SELECT; the cursor must be finished before the next execution.
    std::unique_ptr<Cursor> openCursor();

private:
    friend class Cursor;
    InputValue inputValue(int index) const;
    void buildInput(QByteArray &buffer);
    void releaseHandles() noexcept;

    Transaction &m_transaction;
    Firebird::IStatement *m_handle = nullptr;
    Firebird::IMessageMetadata *m_inputDeclared = nullptr;
    Firebird::IMessageMetadata *m_inputMeta = nullptr;
    Firebird::IMessageMetadata *m_outputMeta = nullptr;
    QByteArray m_inputSignature;
    QList<QVariant> m_params;
};

// The rows of an open SELECT, read one at a time.
class Cursor
{
public:
    ~Cursor();
    Cursor(const Cursor &) = delete;
    Cursor &operator=(const Cursor &) = delete;

    bool next();
    int columnCount() const { return int(m_names.size()); }
    const QStringList &columnNames() const { return m_names; }
    // NULL is a null QVariant; text is QString, whole numbers qint64, scaled numbers fb::Decimal,
    // DATE QDate, TIMESTAMP QDateTime, binary blobs QByteArray and text blobs QString.
    QVariant value(int column) const;

private:
    friend class Statement;
    Cursor(Statement &statement, Firebird::IResultSet *resultSet);
    void readColumns();
    void closeResultSet() noexcept;

    Statement &m_statement;
    Firebird::IResultSet *m_resultSet = nullptr;
    QStringList m_names;
    QByteArray m_row;
};

} // namespace fb
