#include "ui/AnimatedImage.h"
#include "ui/AssetCatalogue.h"
#include <QMouseEvent>
#include <QPainter>

TAnimatedImage::TAnimatedImage(QWidget *parent) : QWidget(parent)
{
    m_timer.setInterval(m_interval);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TAnimatedImage::advance);
}

namespace {

// The strip with its bottom-left pixel's colour cleared.
QImage Keyed(const QImage &strip)
{
    if (strip.isNull())
        return {};
    const QRgb key = strip.pixel(0, strip.height() - 1);
    QImage keyed = strip.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((row[x] & 0x00FFFFFF) == (key & 0x00FFFFFF))
                row[x] = 0;
    }
    return keyed;
}

// The three coins get one strip: key it once and let them share the result.
QImage SharedKeyed(const QImage &strip)
{
    static qint64 lastStrip = 0;
    static QImage lastKeyed;
    if (strip.isNull())
        return {};
    if (strip.cacheKey() != lastStrip) {
        lastKeyed = Keyed(strip);
        lastStrip = strip.cacheKey();
    }
    return lastKeyed;
}

} // namespace

void TAnimatedImage::setGlyph(const QImage &strip)
{
    m_strip = strip;
    m_transparent = SharedKeyed(strip);
    m_dense = QImage();
    const bool multiple = strip.height() > 0 && strip.width() % strip.height() == 0;
    m_numGlyphs = multiple ? strip.width() / strip.height() : 1;
    m_glyphNum = 0;
    fitSize();
    update();
}

void TAnimatedImage::setNumGlyphs(int count)
{
    if (count < 1)
        return;
    m_numGlyphs = count;
    if (m_glyphNum >= count)
        m_glyphNum = 0;
    fitSize();
    update();
}

void TAnimatedImage::setGlyphNum(int frame)
{
    if (frame < 0 || frame >= m_numGlyphs || frame == m_glyphNum)
        return;
    m_glyphNum = frame;
    repaint();
}

void TAnimatedImage::setInterval(int ms)
{
    m_interval = ms;
    m_timer.setInterval(ms);
}

void TAnimatedImage::setActive(bool active)
{
    m_active = active;
    if (active)
        m_timer.start();
    else
        m_timer.stop();
}

QRect TAnimatedImage::frameRect(int frame) const
{
    const int w = m_numGlyphs > 0 ? m_strip.width() / m_numGlyphs : 0;
    return QRect(frame * w, 0, w, m_strip.height());
}

QImage TAnimatedImage::currentFrame() const
{
    return m_transparent.isNull() ? QImage() : m_transparent.copy(frameRect(m_glyphNum));
}

void TAnimatedImage::advance()
{
    // Only a coin that can be seen turns.
    if (!isVisible() || !window() || !window()->isVisible())
        return;
    m_glyphNum = (m_glyphNum + 1) % m_numGlyphs;
    update();
}

void TAnimatedImage::fitSize()
{
    if (!m_strip.isNull())
        resize(frameRect(0).size());
}

const QImage &TAnimatedImage::stripFor(qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1.0)
        return m_transparent;
    // The finer strip is keyed once, when a high-density screen first shows the coin.
    if (m_dense.isNull()) {
        const QImage twin = Assets::ForDevicePixelRatio(m_strip, devicePixelRatio);
        m_dense = twin.devicePixelRatio() > 1.0 ? SharedKeyed(twin) : m_transparent;
    }
    return m_dense;
}

void TAnimatedImage::paintEvent(QPaintEvent *)
{
    if (m_transparent.isNull())
        return;
    QPainter p(this);
    // Frames are counted and placed in the strip as assigned; a finer strip
    // gives the same frame from the same place at its own scale.
    const QImage &strip = stripFor(devicePixelRatioF());
    const QRect frame = frameRect(m_glyphNum);
    const qreal scale = strip.devicePixelRatio();
    const QRectF source(frame.x() * scale, frame.y() * scale, frame.width() * scale, frame.height() * scale);
    p.drawImage(QRectF(QPointF(0, 0), frame.size()), strip, source);
}

void TAnimatedImage::mousePressEvent(QMouseEvent *event) { emit mousePressed(event); }
