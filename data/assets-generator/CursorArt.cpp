// The five cursors, drawn pixel by pixel as cursors are: an outline, a
// fill, and transparent elsewhere. 'X' is the outline, 'o' the fill.

#include "Generator.h"
#include <QPainter>

namespace Gen {
namespace {

// A hand with the index finger pointing up; its tip is column 4, row 0.
const char *const kHand[] = {
    "....XX..........",
    "...XooX.........",
    "...XooX.........",
    "...XooX.........",
    "...XooX.........",
    "...XooXXX.......",
    "...XooXooXXX....",
    "...XooXooXooXX..",
    ".XXXooXooXooXoX.",
    "XooXooooooooXoX.",
    "XoooXoooooooooX.",
    ".XooXoooooooooX.",
    "..XoooooooooooX.",
    "..XooooooooooX..",
    "...XoooooooooX..",
    "...XoooooooooX..",
    "....XoooooooX...",
    "....XoooooooX...",
    "....XXXXXXXXX...",
};
constexpr int kHandTipColumn = 4;

const char *const kArrow[] = {
    "X...........",
    "XX..........",
    "XoX.........",
    "XooX........",
    "XoooX.......",
    "XooooX......",
    "XoooooX.....",
    "XooooooX....",
    "XoooooooX...",
    "XooooooooX..",
    "XoooooooooX.",
    "XooooooXXXXX",
    "XoooXooX....",
    "XooXXooX....",
    "XoX..XooX...",
    "XX...XooX...",
    "X.....XooX..",
    "......XooX..",
    ".......XX...",
};

template <size_t N>
void Stamp(QImage &image, const char *const (&art)[N], QPoint at, QColor outline, QColor fill)
{
    for (size_t y = 0; y < N; ++y)
        for (int x = 0; art[y][x]; ++x) {
            const char c = art[y][x];
            const QPoint p = at + QPoint(x, int(y));
            if (c == '.' || !image.rect().contains(p))
                continue;
            image.setPixelColor(p, c == 'X' ? outline : fill);
        }
}

QImage Blank()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

CursorArt Cursor(const QString &name)
{
    CursorArt art;
    art.image = Blank();
    if (name == u"Ruka" || name == u"HOTLABEL_HANDCUR") {
        const QPoint hot = name == u"Ruka" ? QPoint(19, 1) : QPoint(6, 0);
        // Ruka's hot spot is the first white pixel of the fingertip, the link hand's its outline.
        const QPoint at(hot.x() - kHandTipColumn, hot.y() - (name == u"Ruka" ? 1 : 0));
        Stamp(art.image, kHand, at, Qt::black, Qt::white);
        art.hotSpot = hot;
        art.bitCount = 1;
    } else if (name == u"RukaZak") {
        Stamp(art.image, kHand, QPoint(13, 5), Qt::black, Qt::white);
        // The round prohibition sign over the hand, centred on the hot spot.
        QImage sign = Blank();
        QPainter p(&sign);
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF centre(17.5, 17.5);
        p.setPen(QPen(QColor(120, 0, 0), 5.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 10.5, 10.5);
        p.drawLine(centre + QPointF(-7.4, -7.4), centre + QPointF(7.4, 7.4));
        p.setPen(QPen(QColor(224, 24, 24), 3.2));
        p.drawEllipse(centre, 10.5, 10.5);
        p.drawLine(centre + QPointF(-7.4, -7.4), centre + QPointF(7.4, 7.4));
        p.end();
        QPainter over(&art.image);
        over.drawImage(0, 0, sign);
        art.hotSpot = QPoint(17, 17);
        art.bitCount = 24;
    } else if (name == u"Sipka" || name == u"SipkaZ") {
        const bool red = name == u"Sipka";
        Stamp(art.image, kArrow, QPoint(0, 0), red ? QColor(110, 0, 0) : QColor(96, 96, 100),
              red ? QColor(232, 36, 28) : QColor(214, 214, 218));
        art.hotSpot = QPoint(0, 0);
        art.bitCount = 24;
    }
    return art;
}

} // namespace Gen
