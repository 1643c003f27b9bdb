#include "ui/picture_button.h"

#include <QMouseEvent>

PictureButton::PictureButton(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void PictureButton::showPicture(const QPixmap &picture, const QString &fileName)
{
    setPixmap(picture);
    resize(picture.deviceIndependentSize().toSize());
    m_pictureFile = fileName;
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT mouseDown();
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT mouseUp();
}
