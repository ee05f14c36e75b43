#include "print/PrintLayout.h"
#include <QFontMetrics>
#include <QTextLayout>

int MmToPixels(int mm, int dpi) { return static_cast<int>(mm * dpi * 0.03937007874); }

QStringList WrapLines(const QString &text, const QFont &font, int width, const QPaintDevice *device)
{
    QStringList out;
    const QFont measured = device ? QFont(font, device) : font;
    for (const QString &paragraph : text.split(u'\n')) {
        if (paragraph.isEmpty()) {
            out << QString();
            continue;
        }
        QTextLayout layout(paragraph, measured);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(qMax(1, width));
            out << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return out;
}

int PrintLineHeight(int cellHeight, int emHeight) { return cellHeight + (cellHeight - emHeight); }

QList<PrintedLine> LayOutPages(const QStringList &lines, int left, int top, int bottom, int pageHeight,
                               int lineHeight)
{
    bottom = qMax(bottom, lineHeight + 1);
    QList<PrintedLine> out;
    int page = 0, t = 0;
    for (const QString &line : lines) {
        out.append({page, left, top + t, line});
        t += lineHeight;
        if (top + t >= pageHeight - bottom) {
            ++page;
            t = 0;
        }
    }
    return out;
}

PreviewLines PreviewLayout(int previewWidth, QSize pageSize, int dpiX, int dpiY, const PageMargins &m)
{
    PreviewLines p;
    if (pageSize.width() <= 0 || pageSize.height() <= 0)
        return p;
    p.height = static_cast<int>(double(pageSize.height()) / pageSize.width() * previewWidth);
    p.penWidth = static_cast<int>(p.height * 0.015625);
    // A pen of no width would never step on; one pixel keeps the preview finite.
    const int w = qMax(1, p.penWidth), step = 2 * w;
    p.left = static_cast<int>(double(previewWidth) / pageSize.width() * MmToPixels(m.left, dpiX));
    p.right = static_cast<int>(double(previewWidth) / pageSize.width() * MmToPixels(m.right, dpiX));
    const int top = static_cast<int>(double(p.height) / pageSize.height() * MmToPixels(m.top, dpiY));
    const int bottom = static_cast<int>(double(p.height) / pageSize.height() * MmToPixels(m.bottom, dpiY));
    for (int y = top + w; p.ys.isEmpty() || y <= p.height - bottom; y += step)
        p.ys << y;
    return p;
}
