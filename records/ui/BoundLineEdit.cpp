#include "records/ui/BoundLineEdit.h"

#include "common/DigitsOnlyValidator.h"
#include "records/ui/ShortcutHandOver.h"
#include "records/ui/UpperCaseValidator.h"

#include <algorithm>

namespace
{

// The characters that an input mask puts into the text by itself: its separators and the
// blank that stands for a position not typed.
QString maskCharacters(const QString &mask)
{
    static const QString kPlaceholders = QStringLiteral("AaNnXx90DdHhBb#<>!");
    QString own;
    QChar blank = u' ';
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        if (c == u';') {
            if (i + 1 < mask.size())
                blank = mask.at(i + 1);
            break;
        }
        if (c == u'\\' && i + 1 < mask.size())
            own += mask.at(++i);
        else if (!kPlaceholders.contains(c))
            own += c;
    }
    return own + blank;
}

} // namespace

BoundLineEdit::BoundLineEdit(QWidget *parent) : QLineEdit(parent)
{
    connect(&m_link, &FieldLink::refresh, this, &BoundLineEdit::showField);
    connect(&m_link, &FieldLink::editableChanged, this, &BoundLineEdit::applyReadOnly);
    connect(&m_link, &FieldLink::updateRequested, this, &BoundLineEdit::updateField);
    connect(this, &QLineEdit::editingFinished, this, &BoundLineEdit::updateField);
    connect(this, &QLineEdit::textEdited, this, [this] { m_typed = true; });
    applyReadOnly();
    ShortcutHandOver::ensureInstalled([](QWidget *focus) {
        if (auto *edit = qobject_cast<BoundLineEdit *>(focus))
            edit->updateField();
    });
}

void BoundLineEdit::bind(RecordSet *set, const QString &field)
{
    m_link.bind(set, field);
    applyTyping();
}

void BoundLineEdit::setTyping(Typing typing)
{
    m_typing = typing;
    applyTyping();
}

void BoundLineEdit::applyTyping()
{
    const FieldDef field = m_link.fieldDef();
    // The validator belongs to this edit; the one made for an earlier setting goes.
    const QValidator *earlier = validator();
    setValidator(nullptr);
    delete earlier;
    switch (m_typing) {
    case Typing::Any:
        break;
    case Typing::UpperCase:
        UpperCaseValidator::install(this, field);
        break;
    case Typing::Digits:
        setValidator(new DigitsOnlyValidator(field.size > 0 ? field.size : 32767, this));
        break;
    }
}

void BoundLineEdit::setFieldReadOnly(bool readOnly)
{
    m_fieldReadOnly = readOnly;
    applyReadOnly();
}

void BoundLineEdit::applyReadOnly()
{
    setReadOnly(m_fieldReadOnly || !m_link.canModify());
}

void BoundLineEdit::setColor(const QColor &color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, color);
    setPalette(colours);
}

QColor BoundLineEdit::color() const
{
    return palette().color(QPalette::Base);
}

void BoundLineEdit::showField()
{
    setText(m_link.value().toString());
    m_typed = false;
}

bool BoundLineEdit::nothingTyped() const
{
    const QString typed = text();
    const QString own = maskCharacters(inputMask());
    return std::all_of(typed.cbegin(), typed.cend(), [&own](QChar c) { return own.contains(c); });
}

void BoundLineEdit::updateField()
{
    if (!m_typed || isReadOnly())
        return;
    m_typed = false;
    // A masked edit always returns its separators; with nothing else in it the field is empty.
    m_link.write(!inputMask().isEmpty() && nothingTyped() ? QString() : text());
}

void BoundLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    updateField();
}
