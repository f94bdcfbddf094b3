#include "db/Statement.h"

#include "codec/Win1252.h"
#include "db/Attachment.h"
#include "db/Decimal.h"
#include "db/FbApi.h"
#include "db/Transaction.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cstring>

namespace fb
{

using namespace Firebird;

namespace
{
// A value of the output row, read byte for byte: the row's buffer gives no alignment.
template<typename T>
T readAs(const char *data)
{
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

constexpr int kTextBlob = 1;

QByteArray readBlob(Transaction &transaction, ISC_QUAD id)
{
    return api::guarded([&](ThrowStatusWrapper *status) {
        IBlob *blob =
            transaction.attachment().handle()->openBlob(status, transaction.handle(), &id, 0, nullptr);
        QByteArray data;
        char segment[32768];
        try {
            for (;;) {
                unsigned length = 0;
                const int result = blob->getSegment(status, sizeof segment, segment, &length);
                if (result == IStatus::RESULT_NO_DATA)
                    break;
                data.append(segment, length);
                transaction.attachment().progressed();
            }
            blob->close(status);
        } catch (...) {
            blob->release();
            throw;
        }
        return data;
    });
}

ISC_QUAD writeBlob(Transaction &transaction, const QByteArray &data)
{
    return api::guarded([&](ThrowStatusWrapper *status) {
        ISC_QUAD id{};
        IBlob *blob =
            transaction.attachment().handle()->createBlob(status, transaction.handle(), &id, 0, nullptr);
        try {
            constexpr qsizetype kSegment = 32768;
            for (qsizetype offset = 0; offset < data.size(); offset += kSegment) {
                const qsizetype length = std::min(kSegment, data.size() - offset);
                blob->putSegment(status, unsigned(length), data.constData() + offset);
                transaction.attachment().progressed();
            }
            blob->close(status);
        } catch (...) {
            blob->release();
            throw;
        }
        return id;
    });
}

QByteArray textBytes(const QString &text)
{
    bool ok = true;
    QByteArray bytes = Win1252::fromUnicode(text, &ok);
    if (!ok)
        throw Error(
            QStringLiteral("O texto \"%1\" contém caracteres que o banco de dados não aceita (WIN1252)")
                .arg(text));
    return bytes;
}

// The longest text a parameter can carry (Firebird's longest VARCHAR); the message's length
// field would cut anything longer without a word.
constexpr qsizetype kLongestText = 32765;

void requireCarriable(const QByteArray &bytes, int index)
{
    if (bytes.size() > kLongestText)
        throw Error(QStringLiteral("O valor do parâmetro %1 tem %2 caracteres; o banco de dados aceita no "
                                   "máximo %3 num campo de texto")
                        .arg(index + 1)
                        .arg(bytes.size())
                        .arg(kLongestText),
                    0, {isc_string_truncation, isc_trunc_limits},
                    {{isc_trunc_limits, kLongestText}, {isc_trunc_limits, bytes.size()}});
}

template<typename T>
QByteArray rawBytes(const T &value)
{
    return QByteArray(reinterpret_cast<const char *>(&value), sizeof value);
}

ISC_DATE encodedDate(QDate date)
{
    return api::util()->encodeDate(unsigned(date.year()), unsigned(date.month()), unsigned(date.day()));
}

} // namespace

// A parameter's value as the input message carries it: the type it is described with, and the
// bytes copied to its offset. Nulls and blobs keep the statement's own description of the parameter.
struct InputValue {
    bool null = false;
    bool keepsDeclaredType = true;
    unsigned type = 0;
    unsigned length = 0;
    int scale = 0;
    unsigned charset = 0;
    QByteArray bytes;

    // What tells one description of the message from another: a statement executed again with
    // values described alike reuses its metadata.
    QByteArray signature() const
    {
        if (keepsDeclaredType)
            return "-,";
        return QByteArray::number(type) + ':' + QByteArray::number(length) + ':' + QByteArray::number(scale) +
               ':' + QByteArray::number(charset) + ',';
    }
};

namespace
{

InputValue described(unsigned type, QByteArray bytes, int scale = 0)
{
    InputValue input;
    input.keepsDeclaredType = false;
    input.type = type;
    input.length = unsigned(bytes.size());
    input.scale = scale;
    input.bytes = std::move(bytes);
    return input;
}

} // namespace

// Describes each value by its own type, so the server converts it to the declared type (and
// reports a value that does not fit) instead of us guessing.
InputValue Statement::inputValue(int index) const
{
    const QVariant &value = m_params.at(index);
    InputValue input;
    if (value.isNull()) {
        input.null = true;
        return input;
    }
    const unsigned declared = api::guarded(
        [&](ThrowStatusWrapper *status) { return m_inputDeclared->getType(status, unsigned(index)) & ~1u; });
    if (declared == SQL_BLOB) {
        const QByteArray bytes =
            value.typeId() == QMetaType::QString ? textBytes(value.toString()) : value.toByteArray();
        input.bytes = rawBytes(writeBlob(m_transaction, bytes));
        return input;
    }
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const bool text = value.typeId() == QMetaType::QString;
        const QByteArray bytes = text ? textBytes(value.toString()) : value.toByteArray();
        requireCarriable(bytes, index);
        InputValue input =
            described(SQL_VARYING, rawBytes(static_cast<unsigned short>(bytes.size())) + bytes);
        input.length = unsigned(std::max<qsizetype>(bytes.size(), 1));
        input.charset = text ? api::kCharsetWin1252 : api::kCharsetNone;
        return input;
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Bool:
        return described(SQL_INT64, rawBytes(qint64(value.toLongLong())));
    case QMetaType::Double:
    case QMetaType::Float:
        return described(SQL_DOUBLE, rawBytes(value.toDouble()));
    case QMetaType::QDate:
        return described(SQL_TYPE_DATE, rawBytes(encodedDate(value.toDate())));
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        const QTime time = moment.time();
        ISC_TIMESTAMP encoded;
        encoded.timestamp_date = encodedDate(moment.date());
        encoded.timestamp_time = api::util()->encodeTime(unsigned(time.hour()), unsigned(time.minute()),
                                                         unsigned(time.second()), unsigned(time.msec() * 10));
        return described(SQL_TIMESTAMP, rawBytes(encoded));
    }
    default:
        if (value.userType() == qMetaTypeId<Decimal>()) {
            const Decimal number = value.value<Decimal>();
            return described(SQL_INT64, rawBytes(number.units), -number.scale);
        }
        throw Error(QStringLiteral("Tipo de valor não suportado no parâmetro %1").arg(index + 1));
    }
}

Statement::Statement(Transaction &transaction, const QString &sql) : m_transaction(transaction)
{
    const QByteArray text = textBytes(sql);
    Attachment &attachment = transaction.attachment();
    try {
        api::guarded([&](ThrowStatusWrapper *status) {
            m_handle = attachment.handle()->prepare(status, transaction.handle(), 0, text.constData(),
                                                    unsigned(attachment.dialect()),
                                                    IStatement::PREPARE_PREFETCH_METADATA);
            m_inputDeclared = m_handle->getInputMetadata(status);
            m_outputMeta = m_handle->getOutputMetadata(status);
            m_params.resize(m_inputDeclared->getCount(status));
        });
    } catch (...) {
        // No destructor runs for a statement that failed half-way: release what was obtained.
        releaseHandles();
        throw;
    }
}

Statement::~Statement()
{
    releaseHandles();
}

void Statement::releaseHandles() noexcept
{
    if (m_inputMeta)
        m_inputMeta->release();
    if (m_inputDeclared)
        m_inputDeclared->release();
    if (m_outputMeta)
        m_outputMeta->release();
    m_inputMeta = m_inputDeclared = m_outputMeta = nullptr;
    if (m_handle) {
        IStatement *handle = m_handle;
        m_handle = nullptr;
        try {
            api::guarded([&](ThrowStatusWrapper *status) { handle->free(status); });
        } catch (...) {
            handle->release();
        }
    }
}

void Statement::setParam(int index, const QVariant &value)
{
    if (index < 0 || index >= m_params.size())
        throw Error(QStringLiteral("Parâmetro %1 inexistente no comando").arg(index + 1));
    m_params[index] = value;
}

void Statement::buildInput(QByteArray &buffer)
{
    QList<InputValue> inputs;
    inputs.reserve(m_params.size());
    QByteArray signature;
    for (int i = 0; i < m_params.size(); ++i) {
        inputs.append(inputValue(i));
        signature += inputs.last().signature();
    }
    api::guarded([&](ThrowStatusWrapper *status) {
        if (!m_inputMeta || signature != m_inputSignature) {
            IMetadataBuilder *builder = m_inputDeclared->getBuilder(status);
            try {
                for (int i = 0; i < inputs.size(); ++i) {
                    const InputValue &input = inputs.at(i);
                    if (input.keepsDeclaredType)
                        continue;
                    const unsigned index = unsigned(i);
                    builder->setType(status, index, input.type + 1);
                    if (input.type == SQL_VARYING) {
                        builder->setLength(status, index, input.length);
                        builder->setCharSet(status, index, input.charset);
                    } else if (input.type == SQL_INT64 || input.type == SQL_DOUBLE) {
                        builder->setScale(status, index, input.scale);
                    }
                }
                IMessageMetadata *built = builder->getMetadata(status);
                builder->release();
                if (m_inputMeta)
                    m_inputMeta->release();
                m_inputMeta = built;
                m_inputSignature = signature;
            } catch (...) {
                builder->release();
                throw;
            }
        }

        buffer.fill('\0', m_inputMeta->getMessageLength(status));
        char *message = buffer.data();
        for (int i = 0; i < inputs.size(); ++i) {
            const InputValue &input = inputs.at(i);
            auto *nullFlag =
                reinterpret_cast<short *>(message + m_inputMeta->getNullOffset(status, unsigned(i)));
            *nullFlag = input.null ? -1 : 0;
            std::memcpy(message + m_inputMeta->getOffset(status, unsigned(i)), input.bytes.constData(),
                        size_t(input.bytes.size()));
        }
    });
}

qint64 Statement::execute()
{
    QByteArray input;
    buildInput(input);
    return api::guarded([&](ThrowStatusWrapper *status) {
        QByteArray output(int(m_outputMeta->getMessageLength(status)), '\0');
        m_handle->execute(status, m_transaction.handle(), m_inputMeta,
                          input.isEmpty() ? nullptr : input.data(),
                          m_outputMeta->getCount(status) ? m_outputMeta : nullptr,
                          m_outputMeta->getCount(status) ? output.data() : nullptr);
        return qint64(m_handle->getAffectedRecords(status));
    });
}

std::unique_ptr<Cursor> Statement::openCursor()
{
    QByteArray input;
    buildInput(input);
    IResultSet *resultSet = api::guarded([&](ThrowStatusWrapper *status) {
        return m_handle->openCursor(status, m_transaction.handle(), m_inputMeta,
                                    input.isEmpty() ? nullptr : input.data(), m_outputMeta, 0);
    });
    // The cursor owns the result set from here on, also when making it fails.
    try {
        return std::unique_ptr<Cursor>(new Cursor(*this, resultSet));
    } catch (const std::bad_alloc &) {
        resultSet->release();
        throw;
    }
}

Cursor::Cursor(Statement &statement, IResultSet *resultSet) : m_statement(statement), m_resultSet(resultSet)
{
    try {
        readColumns();
    } catch (...) {
        closeResultSet();
        throw;
    }
}

void Cursor::readColumns()
{
    IMessageMetadata *meta = m_statement.m_outputMeta;
    api::guarded([&](ThrowStatusWrapper *status) {
        const unsigned count = meta->getCount(status);
        for (unsigned i = 0; i < count; ++i) {
            const char *alias = meta->getAlias(status, i);
            m_names.append(QString::fromUtf8(alias && *alias ? alias : meta->getField(status, i)));
        }
        m_row.fill('\0', int(meta->getMessageLength(status)));
    });
}

Cursor::~Cursor()
{
    closeResultSet();
}

void Cursor::closeResultSet() noexcept
{
    if (!m_resultSet)
        return;
    IResultSet *resultSet = m_resultSet;
    m_resultSet = nullptr;
    try {
        api::guarded([&](ThrowStatusWrapper *status) { resultSet->close(status); });
    } catch (...) {
        resultSet->release();
    }
}

bool Cursor::next()
{
    if (!m_resultSet)
        return false;
    return api::guarded([&](ThrowStatusWrapper *status) {
        return m_resultSet->fetchNext(status, m_row.data()) == IStatus::RESULT_OK;
    });
}

QVariant Cursor::value(int column) const
{
    return api::guarded([&](ThrowStatusWrapper *status) -> QVariant {
        IMessageMetadata *meta = m_statement.m_outputMeta;
        const unsigned index = unsigned(column);
        const char *row = m_row.constData();
        if (*reinterpret_cast<const short *>(row + meta->getNullOffset(status, index)))
            return QVariant();
        const char *data = row + meta->getOffset(status, index);
        const unsigned charset = meta->getCharSet(status, index);
        const int scale = meta->getScale(status, index);
        auto scaled = [scale](qint64 units) -> QVariant {
            if (scale < 0)
                return QVariant::fromValue(Decimal{units, -scale});
            return units;
        };
        switch (meta->getType(status, index) & ~1u) {
        case SQL_VARYING: {
            const unsigned short length = readAs<unsigned short>(data);
            if (charset == api::kCharsetOctets)
                return QByteArray(data + sizeof length, length);
            return Win1252::toUnicode(data + sizeof length, length);
        }
        case SQL_TEXT: {
            const unsigned length = meta->getLength(status, index);
            if (charset == api::kCharsetOctets)
                return QByteArray(data, length);
            return Win1252::toUnicode(data, length);
        }
        case SQL_SHORT:
            return scaled(readAs<qint16>(data));
        case SQL_LONG:
            return scaled(readAs<qint32>(data));
        case SQL_INT64:
            return scaled(readAs<qint64>(data));
        case SQL_FLOAT:
            return double(readAs<float>(data));
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return readAs<double>(data);
        case SQL_BOOLEAN:
            return *data != 0;
        case SQL_TYPE_DATE: {
            const ISC_DATE date = readAs<ISC_DATE>(data);
            unsigned y = 0, m = 0, d = 0;
            api::util()->decodeDate(date, &y, &m, &d);
            return QDate(int(y), int(m), int(d));
        }
        case SQL_TYPE_TIME: {
            const ISC_TIME time = readAs<ISC_TIME>(data);
            unsigned h = 0, mi = 0, s = 0, f = 0;
            api::util()->decodeTime(time, &h, &mi, &s, &f);
            return QTime(int(h), int(mi), int(s), int(f / 10));
        }
        case SQL_TIMESTAMP: {
            const ISC_TIMESTAMP stamp = readAs<ISC_TIMESTAMP>(data);
            unsigned y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0, f = 0;
            api::util()->decodeDate(stamp.timestamp_date, &y, &m, &d);
            api::util()->decodeTime(stamp.timestamp_time, &h, &mi, &s, &f);
            return QDateTime(QDate(int(y), int(m), int(d)), QTime(int(h), int(mi), int(s), int(f / 10)));
        }
        case SQL_BLOB: {
            const ISC_QUAD id = readAs<ISC_QUAD>(data);
            const QByteArray bytes = readBlob(m_statement.m_transaction, id);
            if (meta->getSubType(status, index) == kTextBlob && charset != api::kCharsetOctets)
                return Win1252::toUnicode(bytes);
            return bytes;
        }
        default:
            throw Error(QStringLiteral("Tipo de coluna não suportado: %1").arg(m_names.at(column)));
        }
    });
}

} // namespace fb
