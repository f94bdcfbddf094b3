#pragma once

#include <QWidget>

struct ReportPage;

// One page of a generated report at a zoom factor; 1.0 shows it at its real size on screen.
class ReportPageView : public QWidget
{
    Q_OBJECT

public:
    explicit ReportPageView(QWidget *parent = nullptr);

    void setPage(const ReportPage *page);
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ReportPage *m_page = nullptr;
    double m_zoom = 1.0;
};
