#include "ui/PictureBox.h"
#include "ui/AssetCatalogue.h"
#include "ui/Guidance.h"
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TPictureBox::TPictureBox(QWidget *parent) : QWidget(parent) { setMouseTracking(true); }

void TPictureBox::setPicture(const QImage &picture)
{
    // On a high-density screen the canvas is the picture's finer twin, so
    // what the owner draws on it is as sharp as the picture itself.
    m_picture = Assets::ForDevicePixelRatio(picture, devicePixelRatioF()).convertToFormat(QImage::Format_RGB32);
    resize(m_picture.deviceIndependentSize().toSize());
    update();
}

void TPictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
    DrawFocusFrame(p, this, rect().adjusted(1, 1, -1, -1));
}

void TPictureBox::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
    emit keyPressed(event);
}

void TPictureBox::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    emit mousePressed(event);
}

void TPictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    m_pressed = false;
}

void TPictureBox::mouseMoveEvent(QMouseEvent *event) { emit mouseMoved(event); }

TPaintBox::TPaintBox(QWidget *parent) : QWidget(parent) { setAttribute(Qt::WA_NoSystemBackground); }

void TPaintBox::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    emit mousePressed(event);
}

void TPaintBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    m_pressed = false;
}
