#include "ui/ExplorerButton.h"
#include <QPainter>

TExplorerButton::TExplorerButton(QWidget *parent) : QAbstractButton(parent) { setAttribute(Qt::WA_Hover); }

void TExplorerButton::setBitmap(const QImage &glyph)
{
    m_glyph = glyph;
    update();
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

void TExplorerButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    const bool active = isEnabled() && m_hover;
    const bool down = isEnabled() && isDown();
    if (down || active || !m_flat) {
        const QColor light = down ? SelBorderShadowColor : BorderHighlightColor;
        const QColor dark = down ? SelBorderHighlightColor : BorderShadowColor;
        p.setPen(light);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(dark);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    const int shift = down ? 1 : 0;
    QRect content = rect().adjusted(2 + shift, 2 + shift, -2 + shift, -2 + shift);
    if (!m_glyph.isNull()) {
        QImage glyph = m_glyph;
        if ((m_options & boMonoDisplay) && (!active || !isEnabled()))
            glyph = glyph.convertToFormat(QImage::Format_Grayscale8);
        if (!isEnabled()) {
            QImage faded = glyph.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < faded.height(); ++y)
                for (int x = 0; x < faded.width(); ++x) {
                    QColor c = faded.pixelColor(x, y);
                    c.setAlpha(110);
                    faded.setPixelColor(x, y, c);
                }
            glyph = faded;
        }
        const QPoint at(content.left() + (content.width() - glyph.width()) / 2,
                        text().isEmpty() ? content.top() + (content.height() - glyph.height()) / 2 : content.top());
        p.drawImage(at, glyph);
        content.setTop(at.y() + glyph.height());
    }
    if (!text().isEmpty()) {
        QColor colour = !isEnabled() ? DisabledFontColor : active ? palette().buttonText().color() : UnselectedFontColor;
        if (isEnabled() && active && font().bold())
            colour = colour.lighter(115);
        p.setPen(colour);
        p.setFont(font());
        QString caption = text();
        caption.remove(u'&');
        p.drawText(content, Qt::AlignCenter | (m_wordWrap ? Qt::TextWordWrap : 0), caption);
    }
}
