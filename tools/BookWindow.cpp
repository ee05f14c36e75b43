#include "tools/BookWindow.h"
#include "app/Zendra12F.h"
#include <QKeyEvent>

TBookWindow::TBookWindow(TForm1 &main, SettingsStore &settings, ToolWindow which)
    : QWidget(&main, Qt::Tool), m_main(main), m_place(*this, main, which, settings)
{
    setMinimumSize(KeysOf(which).minimum);
}

void TBookWindow::showEvent(QShowEvent *event)
{
    m_place.showing();
    QWidget::showEvent(event);
}

bool TBookWindow::handleSharedKey(QEvent *event)
{
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_Tab && m_partner && m_partner->isVisible()) {
        m_partner->activateWindow();
        m_partner->raise();
        return true;
    }
    if (event->type() != QEvent::KeyRelease || key->key() != Qt::Key_F9 || key->isAutoRepeat())
        return false;
    const auto mods = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (mods == Qt::ControlModifier)
        return false;
    close();
    return true;
}
