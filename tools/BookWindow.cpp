#include "tools/BookWindow.h"
#include "app/Zendra12F.h"
#include <QKeyEvent>

TBookWindow::TBookWindow(TForm1 &main, SettingsStore &settings, const QString &placePrefix)
    : QWidget(&main, Qt::Tool), m_main(main), m_stored(settings, placePrefix)
{
}

void TBookWindow::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        const QRect d = defaultPlace();
        setGeometry(m_stored.resolve(d.x(), d.y(), d.width(), d.height()));
        m_placed = true;
    }
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
