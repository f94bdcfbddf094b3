#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct ArquivoDeInstalacao {
    QString name;
    QByteArray content;
};

// The files a working folder needs besides the database: clientes.ini for client code 1 in local
// mode, and the pictures of the main window and of a user without photo. Throws
// std::runtime_error when a built-in picture is missing.
QList<ArquivoDeInstalacao> arquivosDeInstalacao(const QString &clientName);

// Writes each file that dir does not hold yet; returns the names written. Throws
// std::runtime_error when a file cannot be written.
QStringList gravaArquivosAusentes(const QString &dir, const QList<ArquivoDeInstalacao> &files);

// A picture compiled into the program; throws std::runtime_error when it is not there.
QByteArray recursoInterno(const QString &path);
