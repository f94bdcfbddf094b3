#include "reportengine/ReportOutputStream.h"

#include "reportengine/FileWriteFailure.h"
#include "reportengine/ReportExportError.h"

#include <QFileDevice>
#include <cerrno>

namespace
{

constexpr qsizetype kFlushSize = 256 * 1024;

} // namespace

ReportOutputStream::ReportOutputStream(QIODevice &device) : m_device(device)
{
    m_buffer.reserve(kFlushSize + 4096);
}

void ReportOutputStream::write(const QByteArray &bytes)
{
    m_buffer += bytes;
    m_position += bytes.size();
    if (m_buffer.size() >= kFlushSize)
        flush();
}

void ReportOutputStream::write(const char *bytes)
{
    write(QByteArray::fromRawData(bytes, qsizetype(qstrlen(bytes))));
}

void ReportOutputStream::flush()
{
    if (m_buffer.isEmpty())
        return;
    if (m_device.write(m_buffer) != m_buffer.size()) {
        const int systemError = errno;
        const auto *file = qobject_cast<const QFileDevice *>(&m_device);
        const QString name = file ? file->fileName() : QString();
        throw ReportExportError(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(name),
                                fileWriteFailure(name, systemError));
    }
    m_buffer.resize(0); // keeps the capacity
}
