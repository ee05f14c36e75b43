#pragma once
// Where printed lines go: margins in millimetres turned into device pixels,
// the editor's text broken into lines at the printable width, and pages
// filled from the top margin down to the bottom margin.

#include <QFont>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

struct PageMargins {
    int left = 20, right = 20, top = 25, bottom = 15; // millimetres
};

// Trunc(mm × dpi / 25.4), as the factor 0.03937007874 gives it.
int MmToPixels(int mm, int dpi);

// The lines a word-wrapping box of this width shows for the text.
QStringList WrapLines(const QString &text, const QFont &font, int width, const class QPaintDevice *device = nullptr);

// The pitch of printed lines: the font's cell height (ascent + descent)
// plus its internal leading, the part of the cell above the em square.
int PrintLineHeight(int cellHeight, int emHeight);

struct PrintedLine {
    int page = 0; // from 0
    int x = 0;
    int y = 0;
    QString text;
};

// Lines at x = left, y = top + t; a new page once top + t reaches
// pageHeight − bottom. bottom is at least one line height plus one pixel.
QList<PrintedLine> LayOutPages(const QStringList &lines, int left, int top, int bottom, int pageHeight,
                               int lineHeight);

// The heights of the preview's stand-in text lines for a page of pageSize
// printer pixels shown in a preview of the given width; also its height.
struct PreviewLines {
    int height = 0;
    int penWidth = 0;
    int left = 0, right = 0;
    QList<int> ys;
};
PreviewLines PreviewLayout(int previewWidth, QSize pageSize, int dpiX, int dpiY, const PageMargins &margins);
