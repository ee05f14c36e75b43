#include "ui/ExplorerButton.h"
#include <QEvent>
#include <QPainter>
#include <QPolygon>

TExplorerButton::TExplorerButton(QWidget *parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
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
    m_colourGlyph = QImage();
    m_monoGlyph = QImage();
    if (m_glyph.isNull())
        return;
    const QRgb key = m_glyph.pixel(0, m_glyph.height() - 1) & 0x00FFFFFF;
    m_colourGlyph = m_glyph.convertToFormat(QImage::Format_ARGB32);
    m_monoGlyph = QImage(m_colourGlyph.size(), QImage::Format_ARGB32);
    for (int y = 0; y < m_colourGlyph.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(m_colourGlyph.scanLine(y));
        auto *mono = reinterpret_cast<QRgb *>(m_monoGlyph.scanLine(y));
        for (int x = 0; x < m_colourGlyph.width(); ++x) {
            if ((row[x] & 0x00FFFFFF) == key) {
                row[x] = 0;
                mono[x] = 0;
            } else {
                // White stays white (the light parts of a glyph); the rest takes the ink.
                mono[x] = qGray(row[x]) > 200 ? qRgba(255, 255, 255, 200) : qRgba(0, 0, 0, 255);
            }
        }
    }
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

QImage TExplorerButton::glyphAsDrawn() const
{
    if (m_colourGlyph.isNull())
        return {};
    const bool lit = isEnabled() && (m_hover || isDown());
    if (lit || !(m_options & boMonoDisplay)) {
        if (isEnabled())
            return m_colourGlyph;
    }
    // One colour: the shape of the glyph in the caption's resting colour.
    QImage mono = m_monoGlyph;
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
    const QImage glyph = glyphAsDrawn();
    if (!glyph.isNull()) {
        const QPoint at(content.left() + (content.width() - glyph.width()) / 2,
                        text().isEmpty() ? content.top() + (content.height() - glyph.height()) / 2 : content.top());
        p.drawImage(at, glyph);
        content.setTop(at.y() + glyph.height());
    }
    if (!text().isEmpty()) {
        p.setPen(captionColour());
        p.setFont(font());
        p.drawText(content, Qt::AlignCenter | Qt::TextShowMnemonic | (m_wordWrap ? Qt::TextWordWrap : 0), text());
    }
}
