#include "tools/WindowPlacer.h"
#include "app/Zendra12F.h"
#include <QLayout>
#include <QWidget>

namespace {
QMargins FrameMargins(const QWidget &w)
{
    const QRect frame = w.frameGeometry(), client = w.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
}
} // namespace

WindowPlacer::WindowPlacer(QWidget &window, TForm1 &main, ToolWindow which, const SettingsStore &settings)
    : m_window(window), m_main(main), m_which(which), m_stored(settings, KeysOf(which))
{
    main.addToolWindowPlace(this);
}

void WindowPlacer::showing()
{
    if (!m_placed)
        apply(m_stored.resolve(DefaultPlace(m_which, m_main.mainWindowSize())));
}

void WindowPlacer::restoreOriginal() { apply(OriginalPlace(m_which, m_main.mainWindowSize())); }

void WindowPlacer::apply(const QRect &place)
{
    const ToolWindowKeys &keys = KeysOf(m_which);
    if (!keys.sized && m_window.layout())
        m_window.layout()->activate(); // its own size, before it first shows
    const QSize client = keys.sized ? place.size().expandedTo(keys.minimum) : m_window.size();
    // A window not shown yet has no frame: the main window's is the best guess.
    QMargins margins = FrameMargins(m_window);
    if (margins.isNull())
        margins = FrameMargins(m_main);
    const QRect fitted = FitIntoScreens(QRect(place.topLeft(), client.grownBy(margins)), m_main.screenAreas());
    // The client's geometry, which means the same before and after the
    // window first shows; a move() before that would place the client where
    // the frame was meant to stand and push the title bar off the screen.
    m_window.setGeometry(QRect(fitted.topLeft() + QPoint(margins.left(), margins.top()),
                               keys.sized ? fitted.size().shrunkBy(margins) : client));
    m_placed = true;
}

void WindowPlacer::save(SettingsStore &settings) const
{
    if (m_placed)
        StoredWindowPlace::write(settings, KeysOf(m_which), QRect(m_window.pos(), m_window.size()));
}
