#include "ui/RosHotLabel.h"
#include "ui/Cursors.h"
#include "ui/RosURLError.h"
#include <QMouseEvent>

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
    if (!click)
        return;
    // An exception must not cross the event loop; the owner shows the text.
    try {
        Click();
    } catch (const ERosURLError &e) {
        emit urlError(e.message());
    }
}
