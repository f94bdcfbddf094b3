#pragma once

#include <QImage>
#include <QWidget>

// A picture component: holds one image and draws it in one of the ways the windows need.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    enum class Fit {
        TopLeft,        // natural size from the top-left corner
        Centre,         // natural size, centred
        Stretch,        // stretched over the whole component
        ScaleDownTopLeft // a larger picture shrinks to fit keeping its aspect; drawn from the top-left
    };

    explicit PictureBox(Fit fit, QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }
    // Replaces the picture with the file's; false, picture unchanged, when it cannot be read.
    bool loadFile(const QString &path);
    // Where and how large the picture is drawn inside the component.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Fit m_fit;
    QImage m_picture;
};
