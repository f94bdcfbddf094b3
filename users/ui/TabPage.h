#pragma once

#include <QWidget>
#include <functional>

// A page of a tab widget that runs a routine each time it is shown. The routine runs inside
// the show event, so whatever it throws reaches the application's general error handler.
class TabPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;
    void setOnShow(std::function<void()> routine) { m_onShow = std::move(routine); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::function<void()> m_onShow;
};
