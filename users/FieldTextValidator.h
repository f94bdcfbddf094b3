#pragma once

#include "users/FieldDef.h"

#include <QValidator>

class QLineEdit;

// What a person may type or paste into a text field of the database: characters that the
// connection's character set (Windows-1252) can store, no more than the field's size, in upper
// case when asked. Refused input never reaches the field: the line edit undoes it and the
// operator is told which character or which limit stood in the way.
class FieldTextValidator : public QValidator
{
    Q_OBJECT

public:
    // A field without a size (size 0) takes text of any length.
    static void install(QLineEdit *edit, const FieldDef &field, bool upperCase);

    State validate(QString &input, int &position) const override;

private:
    FieldTextValidator(const FieldDef &field, bool upperCase, QObject *parent);

    FieldDef m_field;
    bool m_upperCase;
    mutable QString m_refusal; // why the last input was refused; empty when it was not
};
