#pragma once

#include <QChar>
#include <QString>

// Key filter for numeric fields: Backspace, Enter and the digits 0-9 pass; anything else
// becomes the null character, which the caller discards.
QChar Digitacao0_9(QChar key);

// The ASCII digits of text, in order.
QString Retorna_Apenas_Numeros(const QString &text);

// True when the digits of cpf form a valid CPF (eleven digits, not all equal, both check
// digits right). Punctuation is ignored.
bool VerificaCPF(const QString &cpf);

// True when text holds a control character (tabulation, line break, escape, delete, the C1
// controls...): nobody can type it into a field again, so names and passwords refuse it.
bool TemCaractereDeControle(const QString &text);
