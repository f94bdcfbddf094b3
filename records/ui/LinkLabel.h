#pragma once

#include <QLabel>

// A label that acts as a link: blue, a pointing hand, clicked with the mouse, or with Space once
// the keyboard has brought the focus to it (it is underlined while it has the focus).
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(QWidget *parent = nullptr);

    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void underline(bool on);
};
