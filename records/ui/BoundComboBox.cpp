#include "records/ui/BoundComboBox.h"

#include <QKeyEvent>
#include <QWheelEvent>

BoundComboBox::BoundComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    connect(&m_link, &FieldLink::refresh, this, &BoundComboBox::showField);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (isEditable())
            m_link.write(itemText(index));
    });
}

void BoundComboBox::bind(RecordSet *set, const QString &field)
{
    m_link.bind(set, field);
}

void BoundComboBox::setColor(const QColor &color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, color);
    colours.setColor(QPalette::Button, color);
    setPalette(colours);
}

QColor BoundComboBox::color() const
{
    return palette().color(QPalette::Base);
}

void BoundComboBox::showField()
{
    const QString value = m_link.value().toString();
    int found = -1;
    for (int i = 0; i < count() && !value.isEmpty(); ++i) {
        if (itemText(i).compare(value, Qt::CaseInsensitive) == 0) {
            found = i;
            break;
        }
    }
    setCurrentIndex(found);
}

void BoundComboBox::showPopup()
{
    if (isEditable())
        QComboBox::showPopup();
}

void BoundComboBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        QComboBox::keyPressEvent(event);
        return;
    default:
        if (isEditable())
            QComboBox::keyPressEvent(event);
    }
}

void BoundComboBox::wheelEvent(QWheelEvent *event)
{
    if (isEditable())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}
