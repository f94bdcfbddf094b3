#include "records/ui/UpperCaseValidator.h"

#include "codec/Win1252.h"
#include "widgets/Dialogs.h"

#include <QLineEdit>

namespace
{

bool storable(QChar c)
{
    return fb::Win1252::byteFor(c.unicode()) >= 0;
}

// Upper case letter by letter: a letter whose capital the database cannot store (µ, whose
// capital is the Greek Μ) stays as it is, and none turns into two letters (ß).
QString upperCaseStorable(QString text)
{
    for (QChar &c : text) {
        const QChar upper = c.toUpper();
        if (storable(upper))
            c = upper;
    }
    return text;
}

// The first character of text that cannot be stored, whole (both halves of a pair outside the
// basic plane, such as an emoji); empty when every character can be stored.
QString firstUnstorable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (storable(text.at(i)))
            continue;
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        return text.mid(i, pair ? 2 : 1);
    }
    return QString();
}

QString unstorableMessage(const QString &character)
{
    const QString codePoint =
        QString::number(character.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0');
    return QStringLiteral("Atenção, o caractere \"%1\" (U+%2) não pode ser gravado no banco de dados!")
        .arg(character, codePoint);
}

} // namespace

UpperCaseValidator::UpperCaseValidator(const FieldDef &field, QObject *parent)
    : QValidator(parent), m_field(field)
{
}

void UpperCaseValidator::install(QLineEdit *edit, const FieldDef &field)
{
    auto *validator = new UpperCaseValidator(field, edit);
    edit->setValidator(validator);
    QObject::connect(edit, &QLineEdit::inputRejected, validator, [validator, edit] {
        const QString why = validator->m_refusal;
        if (why.isEmpty())
            return;
        validator->m_refusal.clear();
        // Shown once the line edit has undone the input: a box opened now would take the focus
        // while the refused text is still in the field, and leaving the field hands it over.
        QMetaObject::invokeMethod(
            edit, [edit, why] { Dialogs::message(edit->window(), why); }, Qt::QueuedConnection);
    });
}

QValidator::State UpperCaseValidator::validate(QString &input, int &) const
{
    m_refusal.clear();
    if (const QString character = firstUnstorable(input); !character.isEmpty()) {
        m_refusal = unstorableMessage(character);
        return Invalid;
    }
    if (m_field.size > 0 && input.size() > m_field.size) {
        m_refusal = m_field.tooLongMessage();
        return Invalid;
    }
    input = upperCaseStorable(input);
    return Acceptable;
}
