#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

// A picture component: holds one image and draws it in one of the ways the windows need.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    enum class Fit {
        TopLeft,         // natural size from the top-left corner
        Centre,          // natural size, centred
        Stretch,         // stretched over the whole component
        ScaleDownTopLeft // a larger picture shrinks to fit keeping its aspect; drawn from the top-left
    };

    explicit PictureBox(Fit fit, QWidget *parent = nullptr);
    // As a form builds it: drawn from the top-left corner until setFit says otherwise.
    explicit PictureBox(QWidget *parent = nullptr);

    void setFit(Fit fit);

    // The component's own picture (a resource), shown until another is set; it is decoded
    // only if it is ever shown.
    void setBuiltInPicture(const QString &resource);
    void setPicture(const QImage &picture);
    const QImage &picture() const;
    // Replaces the picture with the file's; false, picture unchanged, when it cannot be read.
    bool loadFile(const QString &path);
    // The same, without waiting: the file is decoded on a helper thread and replaces the
    // picture when the component is first drawn or asked for its picture; a file that cannot
    // be read leaves the picture unchanged.
    void loadFileInBackground(const QString &path);
    // Where and how large the picture is drawn inside the component.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Fit m_fit;
    mutable QString m_builtIn;
    mutable QString m_pendingFile;
    mutable QImage m_picture;
    // The picture as last drawn, already scaled to its rectangle: repaints (a window that
    // closes above it, the splash going away) only copy it.
    mutable QPixmap m_drawn;
};
