#pragma once

#include <QByteArray>

class QIODevice;

// Buffered writing to a device that fails loudly: a failed write throws ReportExportError at
// once, so a long export stops instead of producing a truncated file.
class ReportOutputStream
{
public:
    explicit ReportOutputStream(QIODevice &device);

    void write(const QByteArray &bytes);
    void write(const char *bytes);
    void flush();
    // Bytes handed over so far, buffered ones included.
    qint64 position() const { return m_position; }

private:
    QIODevice &m_device;
    QByteArray m_buffer;
    qint64 m_position = 0;
};
