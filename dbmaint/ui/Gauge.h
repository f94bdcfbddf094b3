#pragma once

#include <QWidget>

// A horizontal progress bar on white, filled in red from the left, with the whole percentage done
// (rounded down) written in its middle. Progress stays between 0 and the maximum.
class Gauge : public QWidget
{
    Q_OBJECT

public:
    explicit Gauge(QWidget *parent = nullptr);

    int maxValue() const { return m_maxValue; }
    void setMaxValue(int maxValue);
    int progress() const { return m_progress; }
    void setProgress(int progress);
    // Advances and repaints at once, for runs that hold the event loop.
    void addProgress(int amount);
    int percentDone() const;

    QSize sizeHint() const override;

signals:
    // After each addProgress, even one that the maximum held back.
    void advanced(int progress);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_maxValue = 100;
    int m_progress = 0;
};
