#include "ui/BevelPanel.h"
#include <QPainter>

TBevelPanel::TBevelPanel(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    applyFrame();
}

int TBevelPanel::frameWidth() const
{
    return (SingleBorder ? 1 : 0) + (BevelOuter != bvNone ? BevelWidth : 0) + BorderWidth
           + (BevelInner != bvNone ? BevelWidth : 0);
}

void TBevelPanel::applyFrame()
{
    const int f = frameWidth();
    setContentsMargins(f, f, f, f);
    update();
}

void TBevelPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor face = palette().color(QPalette::Window);
    const QColor light = face.lighter(160), dark = face.darker(160);
    QRect r = rect().adjusted(0, 0, -1, -1);
    auto bevel = [&](Bevel kind) {
        for (int i = 0; i < BevelWidth && kind != bvNone; ++i) {
            p.setPen(kind == bvRaised ? light : dark);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(kind == bvRaised ? dark : light);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
            r.adjust(1, 1, -1, -1);
        }
    };
    if (SingleBorder) {
        p.setPen(face.darker(300));
        p.drawRect(r);
        r.adjust(1, 1, -1, -1);
    }
    bevel(BevelOuter);
    r.adjust(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
    bevel(BevelInner);
}
