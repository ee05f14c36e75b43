#include "ui/Cursors.h"
#include "ui/AssetCatalogue.h"
#include "ui/AssetFormats.h"
#include <QHash>
#include <QPixmap>
#include <QWidget>

namespace {
QHash<int, QCursor> &Registry()
{
    static QHash<int, QCursor> r;
    return r;
}
const char *const kNumberProperty = "zendraCursorNumber";
} // namespace

namespace Cursors {

void Register(int number, const QCursor &cursor) { Registry().insert(number, cursor); }

QCursor FromAsset(const QString &name, Qt::CursorShape fallback)
{
    const AssetFormats::CursorImage cursor = AssetFormats::DecodeCursor(Assets::CursorFile(name));
    if (!cursor.valid)
        return QCursor(fallback);
    return QCursor(QPixmap::fromImage(cursor.image), cursor.hotSpot.x(), cursor.hotSpot.y());
}

void RegisterProgramCursors()
{
    Register(crRuka, FromAsset(QStringLiteral("Ruka"), Qt::PointingHandCursor));
    Register(crRukaZak, FromAsset(QStringLiteral("RukaZak"), Qt::ForbiddenCursor));
    Register(crSipka, FromAsset(QStringLiteral("Sipka"), Qt::ArrowCursor));
    Register(crSipkaZ, FromAsset(QStringLiteral("SipkaZ"), Qt::ArrowCursor));
}

void RegisterHotLabelCursor()
{
    if (!Registry().contains(crHotLabel))
        Register(crHotLabel, FromAsset(QStringLiteral("HOTLABEL_HANDCUR"), Qt::PointingHandCursor));
}

void Set(QWidget *widget, int number)
{
    widget->setProperty(kNumberProperty, number);
    const auto it = Registry().constFind(number);
    if (it != Registry().constEnd())
        widget->setCursor(*it);
    else
        widget->unsetCursor();
}

int Of(const QWidget *widget) { return widget->property(kNumberProperty).toInt(); }

} // namespace Cursors
