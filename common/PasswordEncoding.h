#pragma once

#include <QString>
#include <stdexcept>

// A reversible shift of every UTF-16 code unit by key, modulo 65536.
QString Codificar(QString text, int key);
QString Decodificar(QString text, int key);

// An encoded value that holds a code unit the user table cannot store. text() is the message
// the person is shown; nothing has been written when it is raised.
class UnstorableEncoding : public std::runtime_error
{
public:
    UnstorableEncoding();
    QString text() const;
};

// Encoded values carry code units 0x80-0x9F, which are not Windows-1252 characters. They are
// stored byte for byte: code unit n becomes the byte n, shown as that byte's Windows-1252
// character, so the connection passes them unchanged and reading gives back exactly the
// code units written. A code unit above 0xFF has no byte: encodedToColumn refuses it with
// UnstorableEncoding rather than store something else.
QString encodedToColumn(const QString &encoded);
QString encodedFromColumn(const QString &stored);
