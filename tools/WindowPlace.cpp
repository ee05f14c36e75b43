#include "tools/WindowPlace.h"

namespace {
const char *const kEdges[4] = {"Left", "Top", "Width", "Height"};
int Trunc(double v) { return static_cast<int>(v); }
} // namespace

const ToolWindowKeys &KeysOf(ToolWindow window)
{
    static const ToolWindowKeys kKeys[5] = {
        {"F2", true, QSize(160, 100)}, // the viewer
        {"F3", true, QSize(160, 100)}, // the contents
        {"F9", false, QSize()},        // find in book
        {"F10", false, QSize()},       // find in files
        {"Journal", true, QSize(480, 300)},
    };
    return kKeys[int(window)];
}

QRect DefaultPlace(ToolWindow window, const MainWindowSize &m)
{
    const int W = m.clientWidth, H = m.clientHeight, MH = m.outerHeight;
    switch (window) {
    case ToolWindow::Viewer: {
        const int left = Trunc(W * 0.36375);
        return QRect(left, Trunc(H * 0.54348), W - left, Trunc(MH * 0.45652));
    }
    case ToolWindow::Contents:
        return QRect(Trunc(W * 0.4395), 15, Trunc(W * 0.44625), MH - 30);
    case ToolWindow::FindInBook:
        return QRect(QPoint(9, Trunc(MH * 0.56333)), QSize());
    case ToolWindow::FindInFiles:
        return QRect(QPoint(9, Trunc(MH * 0.09666)), QSize());
    case ToolWindow::Journal:
        // Over most of the main window, wide enough for every column.
        return QRect(40, 40, qMax(900, W - 80), qMax(560, MH - 120));
    }
    return {};
}

QRect OriginalPlace(ToolWindow window, const MainWindowSize &m)
{
    const int W = m.clientWidth, H = m.clientHeight, MH = m.outerHeight;
    switch (window) {
    case ToolWindow::Viewer: {
        const int left = Trunc(W * 0.36375), top = Trunc(H * 0.54348);
        return QRect(left, top, W - left, H + top - m.screenHeight);
    }
    case ToolWindow::Contents: {
        const int top = Trunc(MH * 0.035);
        return QRect(Trunc(W * 0.4395), top, Trunc(W * 0.44625), H + top);
    }
    default:
        return DefaultPlace(window, m);
    }
}

QRect FitIntoScreens(const QRect &frame, const QList<ScreenArea> &screens)
{
    if (screens.isEmpty())
        return frame;
    qsizetype best = 0;
    qint64 most = 0;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QRect common = frame.intersected(screens[i].geometry);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > most) {
            most = area;
            best = i;
        }
    }
    const QRect area = screens[best].available;
    QRect r(frame.topLeft(), frame.size().boundedTo(area.size()));
    if (r.right() > area.right())
        r.moveRight(area.right());
    if (r.bottom() > area.bottom())
        r.moveBottom(area.bottom());
    if (r.left() < area.left())
        r.moveLeft(area.left());
    if (r.top() < area.top())
        r.moveTop(area.top());
    return r;
}

StoredWindowPlace::StoredWindowPlace(const SettingsStore &settings, const ToolWindowKeys &keys)
{
    if (!settings.keyExists())
        return;
    const int count = keys.sized ? 4 : 2;
    for (int i = 0; i < count; ++i) {
        const QString name = QLatin1String(keys.prefix) + QLatin1String(kEdges[i]);
        if (settings.contains(name))
            m_values[i] = settings.readInteger(name);
    }
    // A size smaller than any real window was written for one never shown.
    if (keys.sized && ((m_values[2] && *m_values[2] < keys.minimum.width())
                       || (m_values[3] && *m_values[3] < keys.minimum.height()))) {
        m_values = {};
    }
}

QRect StoredWindowPlace::resolve(const QRect &d) const
{
    return QRect(m_values[0].value_or(d.x()), m_values[1].value_or(d.y()), m_values[2].value_or(d.width()),
                 m_values[3].value_or(d.height()));
}

void StoredWindowPlace::write(SettingsStore &settings, const ToolWindowKeys &keys, const QRect &place)
{
    const int values[4] = {place.x(), place.y(), place.width(), place.height()};
    for (int i = 0; i < (keys.sized ? 4 : 2); ++i)
        settings.writeInteger(QLatin1String(keys.prefix) + QLatin1String(kEdges[i]), values[i]);
}
