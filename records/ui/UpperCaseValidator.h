#pragma once

#include "records/FieldDef.h"

#include <QValidator>

class QLineEdit;

// What a person may type or paste into a text field of the database, turned into upper case:
// characters that the connection's character set (Windows-1252) can store, no more than the
// field's size. Refused input never reaches the field: the line edit undoes it and the operator
// is told which character or which limit stood in the way.
class UpperCaseValidator : public QValidator
{
    Q_OBJECT

public:
    // A field without a size (size 0) takes text of any length.
    static void install(QLineEdit *edit, const FieldDef &field);

    State validate(QString &input, int &position) const override;

private:
    UpperCaseValidator(const FieldDef &field, QObject *parent);

    FieldDef m_field;
    mutable QString m_refusal; // why the last input was refused; empty when it was not
};
