#include "ui/TileImage.h"
#include <QMouseEvent>
#include <QPainter>

TTileImage::TTileImage(QWidget *parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent, false); }

void TTileImage::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void TTileImage::setTileImage(bool tile)
{
    m_tile = tile;
    update();
}

void TTileImage::paintTo(QPainter &painter) const
{
    if (m_picture.isNull())
        return;
    if (!m_tile) {
        painter.drawImage(0, 0, m_picture);
        return;
    }
    painter.save();
    painter.setClipRect(QRect(0, 0, width(), height()));
    for (int y = 0; y < height(); y += m_picture.height())
        for (int x = 0; x < width(); x += m_picture.width())
            painter.drawImage(x, y, m_picture);
    painter.restore();
}

void TTileImage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintTo(p);
}

void TTileImage::mousePressEvent(QMouseEvent *event) { emit mousePressed(event); }
