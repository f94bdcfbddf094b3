#include "widgets/PictureBox.h"

#include "widgets/DecodedPictures.h"

#include <QPainter>

PictureBox::PictureBox(Fit fit, QWidget *parent) : QWidget(parent), m_fit(fit)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

PictureBox::PictureBox(QWidget *parent) : PictureBox(Fit::TopLeft, parent) {}

void PictureBox::setFit(Fit fit)
{
    m_fit = fit;
    m_drawn = QPixmap();
    update();
}

void PictureBox::setBuiltInPicture(const QString &resource)
{
    m_builtIn = resource;
    m_pendingFile.clear();
    m_picture = QImage();
    m_drawn = QPixmap();
    update();
}

void PictureBox::setPicture(const QImage &picture)
{
    m_builtIn.clear();
    m_pendingFile.clear();
    m_picture = picture;
    m_drawn = QPixmap();
    update();
}

const QImage &PictureBox::picture() const
{
    if (!m_pendingFile.isEmpty()) {
        const QImage file = DecodedPictures::picture(m_pendingFile);
        m_pendingFile.clear();
        if (!file.isNull()) {
            m_builtIn.clear();
            m_picture = file;
            m_drawn = QPixmap();
        }
    }
    if (m_picture.isNull() && !m_builtIn.isEmpty())
        m_picture = DecodedPictures::picture(m_builtIn);
    return m_picture;
}

bool PictureBox::loadFile(const QString &path)
{
    const QImage image = DecodedPictures::picture(path);
    if (image.isNull())
        return false;
    setPicture(image);
    return true;
}

void PictureBox::loadFileInBackground(const QString &path)
{
    DecodedPictures::prefetch(path);
    m_pendingFile = path;
    update();
}

QRect PictureBox::pictureRect() const
{
    const QSize natural = picture().size();
    switch (m_fit) {
    case Fit::TopLeft:
        return QRect(QPoint(0, 0), natural);
    case Fit::Centre:
        return QRect(QPoint((width() - natural.width()) / 2, (height() - natural.height()) / 2), natural);
    case Fit::Stretch:
        return rect();
    case Fit::ScaleDownTopLeft:
        if (natural.width() <= width() && natural.height() <= height())
            return QRect(QPoint(0, 0), natural);
        return QRect(QPoint(0, 0), natural.scaled(size(), Qt::KeepAspectRatio));
    }
    return {};
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (picture().isNull())
        return;
    const QRect target = pictureRect();
    if (m_drawn.size() != target.size()) {
        m_drawn = QPixmap::fromImage(
            target.size() == picture().size()
                ? picture()
                : picture().scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QPainter(this).drawPixmap(target.topLeft(), m_drawn);
}
