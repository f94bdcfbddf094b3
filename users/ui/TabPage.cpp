#include "users/ui/TabPage.h"

#include <QShowEvent>

void TabPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_onShow && !event->spontaneous())
        m_onShow();
}
