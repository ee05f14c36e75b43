#include "ui/RichView.h"
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

QFont TFontInfo::font() const
{
    QFont f(FontName);
    f.setPointSize(Size > 0 ? Size : 10);
    f.setBold(Bold);
    f.setItalic(Italic);
    f.setUnderline(Underline);
    f.setStrikeOut(StrikeOut);
    return f;
}

TRVStyle::TRVStyle(QObject *parent) : QObject(parent)
{
    auto style = [](QColor colour, bool bold, bool italic, bool underline) {
        TFontInfo s;
        s.Color = colour;
        s.Bold = bold;
        s.Italic = italic;
        s.Underline = underline;
        return s;
    };
    TextStyles = {style(QColor(0, 0, 0), false, false, false),  style(QColor(0, 0, 255), true, false, false),
                  style(QColor(0, 0, 128), true, false, false), style(QColor(128, 0, 0), false, true, false),
                  style(QColor(0, 128, 0), false, false, true), style(QColor(0, 128, 0), false, false, true)};
}

int TRVStyle::AddTextStyle(const TFontInfo &style)
{
    TextStyles.append(style);
    return TextStyles.size() - 1;
}

TRichView::TRichView(QWidget *parent) : QWidget(parent) { CanvasFont = font(); }

void TRichView::setStyle(TRVStyle *style)
{
    m_style = style;
    update();
}

void TRichView::Clear()
{
    m_lines.clear();
    update();
}

void TRichView::Add(const QString &text, int style) { m_lines.append({text, style, 0}); }

TFontInfo TRichView::styleOf(int style) const
{
    if (m_style && style >= 0 && style < m_style->TextStyles.size())
        return m_style->TextStyles.at(style);
    return TFontInfo();
}

void TRichView::Format()
{
    int y = 0;
    for (Line &line : m_lines) {
        line.top = y;
        y += QFontMetrics(styleOf(line.style).font()).height();
    }
}

int TRichView::TextWidth(const QString &text) const { return QFontMetrics(CanvasFont).horizontalAdvance(text); }

int TRichView::TextHeight(const QString &text) const
{
    return QFontMetrics(CanvasFont).boundingRect(text.isEmpty() ? QStringLiteral(" ") : text).height();
}

void TRichView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_style ? m_style->Color : palette().color(QPalette::Base));
    const int right = width() - RightMargin;
    for (const Line &line : m_lines) {
        const TFontInfo s = styleOf(line.style);
        const QFont f = s.font();
        const int h = QFontMetrics(f).height();
        const QRect box(LeftMargin, line.top, qMax(0, right - LeftMargin), h);
        if (s.BackColor.isValid())
            p.fillRect(box, s.BackColor);
        p.setFont(f);
        p.setPen(s.Color);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line.text);
    }
    p.setPen(palette().color(QPalette::Dark));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TRichView::mousePressEvent(QMouseEvent *event) { m_pressed = event->button(); }

void TRichView::mouseReleaseEvent(QMouseEvent *event)
{
    const bool inside = rect().contains(event->position().toPoint());
    if (inside && m_pressed == event->button()) {
        if (event->button() == Qt::LeftButton)
            emit clicked();
        else if (event->button() == Qt::RightButton)
            emit rightClicked();
    }
    m_pressed = Qt::NoButton;
}
