#include "ui/TileImage.h"
#include "ui/AssetCatalogue.h"
#include <QMouseEvent>
#include <QPainter>

TTileImage::TTileImage(QWidget *parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent, false); }

QImage TTileImage::Picture() const
{
    decodeNamedPicture();
    return m_picture;
}

void TTileImage::setPicture(const QImage &picture)
{
    m_picture = picture;
    m_pictureName.clear();
    update();
}

void TTileImage::setPictureName(const QString &name)
{
    m_picture = QImage();
    m_pictureName = name;
    if (isVisible())
        decodeNamedPicture();
    update();
}

void TTileImage::decodeNamedPicture() const
{
    if (m_pictureName.isEmpty())
        return;
    m_picture = Assets::Picture(m_pictureName);
    m_pictureName.clear();
}

void TTileImage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    decodeNamedPicture();
}

void TTileImage::setTileImage(bool tile)
{
    m_tile = tile;
    update();
}

void TTileImage::paintTo(QPainter &painter) const
{
    decodeNamedPicture();
    if (m_picture.isNull())
        return;
    // Steps and places stay those of the assigned picture; a high-density
    // surface only gets its finer twin drawn into the same rectangles.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QImage shown = Assets::ForDevicePixelRatio(m_picture, ratio);
    const QSize step = m_picture.deviceIndependentSize().toSize();
    const int w = step.width(), h = step.height();
    if (!m_tile) {
        painter.drawImage(QRect(0, 0, w, h), shown);
        return;
    }
    painter.save();
    painter.setClipRect(QRect(0, 0, width(), height()));
    for (int y = 0; y < height(); y += h)
        for (int x = 0; x < width(); x += w)
            painter.drawImage(QRect(x, y, w, h), shown);
    painter.restore();
}

void TTileImage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintTo(p);
}

void TTileImage::mousePressEvent(QMouseEvent *event) { emit mousePressed(event); }
