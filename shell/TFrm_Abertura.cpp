#include "shell/TFrm_Abertura.h"

#include "session/uTotal.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QScreen>
#include <QThread>
#include <QWindow>

TFrm_Abertura *Frm_Abertura = nullptr;

TFrm_Abertura::TFrm_Abertura() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setupUi(this);
    move(screen()->geometry().center() - rect().center());
    FormCreate();
}

void TFrm_Abertura::FormCreate()
{
    DiretorioCorrente = diretorioAtual();
    // Decoded on a helper thread while the window is created and mapped; the main window takes
    // the same decoded picture later.
    Image1->loadFileInBackground(DiretorioCorrente + QStringLiteral("/TELA_PRINCIPAL.JPG"));
}

void TFrm_Abertura::showEvent(QShowEvent *event)
{
    // Only the upper part of this tall ellipse falls inside the window: a dome.
    setMask(QRegion(0, 0, 490, 670, QRegion::Ellipse));
    QWidget::showEvent(event);
}

void TFrm_Abertura::showAndPaint(bool untilExposed)
{
    show();
    if (!untilExposed)
        return;
    // The window system maps the window asynchronously; a paint before that would be lost.
    const QDeadlineTimer deadline(1000);
    while (!(windowHandle() && windowHandle()->isExposed()) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(10);
    }
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
