#include "ui/ExplorerButton.h"
#include "ui/AssetCatalogue.h"
#include "ui/Guidance.h"
#include <QEvent>
#include <QPainter>
#include <QPolygon>

TExplorerButton::TExplorerButton(QWidget *parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
    // Reached by Tab; a click leaves the focus in the text being written.
    setFocusPolicy(Qt::TabFocus);
}

void TExplorerButton::setBitmap(const QImage &glyph)
{
    m_glyph = glyph;
    rebuildGlyphs();
    update();
}

void TExplorerButton::setOptions(int options)
{
    m_options = options;
    update();
}

void TExplorerButton::setFlat(bool flat)
{
    m_flat = flat;
    update();
}

void TExplorerButton::setWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    update();
}

void TExplorerButton::rebuildGlyphs()
{
    m_glyphs = Split(m_glyph);
    m_denseGlyphs = {};
}

TExplorerButton::Glyphs TExplorerButton::Split(const QImage &glyph)
{
    if (glyph.isNull())
        return {};
    Glyphs out;
    const QRgb key = glyph.pixel(0, glyph.height() - 1) & 0x00FFFFFF;
    out.colour = glyph.convertToFormat(QImage::Format_ARGB32);
    out.mono = QImage(out.colour.size(), QImage::Format_ARGB32);
    out.mono.setDevicePixelRatio(out.colour.devicePixelRatio());
    for (int y = 0; y < out.colour.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.colour.scanLine(y));
        auto *mono = reinterpret_cast<QRgb *>(out.mono.scanLine(y));
        for (int x = 0; x < out.colour.width(); ++x) {
            if ((row[x] & 0x00FFFFFF) == key) {
                row[x] = 0;
                mono[x] = 0;
            } else {
                // White stays white (the light parts of a glyph); the rest takes the ink.
                mono[x] = qGray(row[x]) > 200 ? qRgba(255, 255, 255, 200) : qRgba(0, 0, 0, 255);
            }
        }
    }
    return out;
}

const TExplorerButton::Glyphs &TExplorerButton::glyphsFor(qreal devicePixelRatio) const
{
    if (devicePixelRatio <= 1.0)
        return m_glyphs;
    // Split once, when a high-density screen first shows the button.
    if (m_denseGlyphs.colour.isNull()) {
        const QImage twin = Assets::ForDevicePixelRatio(m_glyph, devicePixelRatio);
        m_denseGlyphs = twin.devicePixelRatio() > 1.0 ? Split(twin) : m_glyphs;
    }
    return m_denseGlyphs;
}

TExplorerButton::Look TExplorerButton::look() const
{
    if (!isEnabled())
        return m_flat ? Look::Flat : Look::Raised;
    if (isDown())
        return Look::Sunken;
    if (m_hover && ((m_options & boShowBevel) || !m_flat))
        return Look::Raised;
    return m_flat ? Look::Flat : Look::Raised;
}

QColor TExplorerButton::captionColour() const
{
    if (!isEnabled())
        return DisabledFontColor;
    return m_hover || isDown() ? FontColor : UnselectedFontColor;
}

QImage TExplorerButton::glyphAsDrawn(qreal devicePixelRatio) const
{
    const Glyphs &glyphs = glyphsFor(devicePixelRatio);
    if (glyphs.colour.isNull())
        return {};
    const bool lit = isEnabled() && (m_hover || isDown());
    if (lit || !(m_options & boMonoDisplay)) {
        if (isEnabled())
            return glyphs.colour;
    }
    // One colour: the shape of the glyph in the caption's resting colour.
    QImage mono = glyphs.mono;
    const QColor ink = isEnabled() ? UnselectedFontColor : DisabledFontColor;
    for (int y = 0; y < mono.height(); ++y)
        for (int x = 0; x < mono.width(); ++x) {
            const QRgb px = mono.pixel(x, y);
            if (qAlpha(px) == 0)
                continue;
            QColor c = qRed(px) == 255 ? QColor(255, 255, 255, isEnabled() ? 150 : 90) : ink;
            if (!isEnabled())
                c.setAlpha(qMin(c.alpha(), 110));
            else if (qRed(px) != 255)
                c.setAlpha(190);
            mono.setPixelColor(x, y, c);
        }
    return mono;
}

QSize TExplorerButton::sizeHint() const { return QSize(27, 27); }

void TExplorerButton::enterEvent(QEnterEvent *)
{
    m_hover = true;
    update();
}

void TExplorerButton::leaveEvent(QEvent *)
{
    m_hover = false;
    update();
}

void TExplorerButton::changeEvent(QEvent *event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

void TExplorerButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    const Look current = look();
    if (current != Look::Flat) {
        const bool sunken = current == Look::Sunken;
        const QColor light = sunken ? SelBorderShadowColor : BorderHighlightColor;
        const QColor dark = sunken ? SelBorderHighlightColor : BorderShadowColor;
        p.setPen(light);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(dark);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    const int shift = current == Look::Sunken ? 1 : 0;
    QRect content = rect().adjusted(2 + shift, 2 + shift, -2 + shift, -2 + shift);
    if (m_options & boPopupMark) {
        // A small triangle at the right says that the button opens something.
        const int x = content.right() - 5, y = content.center().y();
        p.setPen(Qt::NoPen);
        p.setBrush(captionColour());
        p.drawPolygon(QPolygon({QPoint(x, y - 1), QPoint(x + 5, y - 1), QPoint(x + 2, y + 2)}));
        content.setRight(content.right() - 8);
    }
    const QImage glyph = glyphAsDrawn(devicePixelRatioF());
    if (!glyph.isNull()) {
        // Placed by its size in the button's pixels, whichever glyph is drawn.
        const QSize size = glyph.deviceIndependentSize().toSize();
        const QPoint at(content.left() + (content.width() - size.width()) / 2,
                        text().isEmpty() ? content.top() + (content.height() - size.height()) / 2 : content.top());
        p.drawImage(QRect(at, size), glyph);
        content.setTop(at.y() + size.height());
    }
    if (!text().isEmpty()) {
        p.setPen(captionColour());
        p.setFont(font());
        p.drawText(content, Qt::AlignCenter | Qt::TextShowMnemonic | (m_wordWrap ? Qt::TextWordWrap : 0), text());
    }
    DrawFocusFrame(p, this, rect().adjusted(2, 2, -2, -2));
}
