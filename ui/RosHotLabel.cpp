#include "ui/RosHotLabel.h"
#include "ui/Cursors.h"
#include "ui/RosURLError.h"
#include "ui/Guidance.h"
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TRosHotLabel::TRosHotLabel(Shell &shell, QWidget *parent) : QLabel(parent), m_shell(shell)
{
    Cursors::RegisterHotLabelCursor();
    Cursors::Set(this, crHotLabel);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(pal);
    setTextFormat(Qt::PlainText);
    setCheckURL(true);
    // Reached by Tab and opened by Enter or the space bar, as a link is.
    setFocusPolicy(Qt::TabFocus);
}

void TRosHotLabel::setCaption(const QString &caption)
{
    if (m_check)
        HotLabelUrl::Check(caption);
    setText(caption);
}

void TRosHotLabel::setCheckURL(bool check)
{
    m_check = check;
    if (m_check)
        HotLabelUrl::Check(text());
}

void TRosHotLabel::Click()
{
    if (!isEnabled() || text().isEmpty())
        return;
    if (!m_shell.openUrl(text()))
        throw ERosURLError(HotLabelUrl::ActivateMessage(text()));
}

void TRosHotLabel::paintEvent(QPaintEvent *event)
{
    // A local file's address is often wider than the label: keep its end,
    // which names the page and its folder.
    const QRect area = contentsRect();
    const QFontMetrics metrics(font());
    if (metrics.horizontalAdvance(text()) <= area.width()) {
        QLabel::paintEvent(event);
    } else {
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(area, int(alignment()), metrics.elidedText(text(), Qt::ElideLeft, area.width()));
    }
    QPainter frame(this);
    DrawFocusFrame(frame, this, rect());
}

void TRosHotLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
        ClickReportingError();
    else
        QLabel::keyPressEvent(event);
}

void TRosHotLabel::ClickReportingError()
{
    // An exception must not cross the event loop; the owner shows the text.
    try {
        Click();
    } catch (const ERosURLError &e) {
        emit urlError(e.message());
    }
}

void TRosHotLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TRosHotLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        ClickReportingError();
}
