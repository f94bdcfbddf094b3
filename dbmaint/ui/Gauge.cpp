#include "dbmaint/ui/Gauge.h"

#include <QPainter>
#include <algorithm>

Gauge::Gauge(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Gauge::setMaxValue(int maxValue)
{
    m_maxValue = std::max(maxValue, 0);
    setProgress(m_progress);
}

void Gauge::setProgress(int progress)
{
    m_progress = std::clamp(progress, 0, m_maxValue);
    update();
}

void Gauge::addProgress(int amount)
{
    setProgress(m_progress + amount);
    repaint();
    emit advanced(m_progress);
}

int Gauge::percentDone() const
{
    return m_maxValue == 0 ? 0 : int(qint64(m_progress) * 100 / m_maxValue);
}

QSize Gauge::sizeHint() const
{
    return {200, 28};
}

void Gauge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), Qt::white);
    if (m_maxValue > 0) {
        QRect filled = rect();
        filled.setWidth(int(qint64(width()) * m_progress / m_maxValue));
        painter.fillRect(filled, Qt::red);
    }
    painter.setPen(Qt::black);
    painter.drawRect(frame);
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("%1%").arg(percentDone()));
}
