#include "ui/Cursors.h"
#include "ui/AssetCatalogue.h"
#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QPixmap>
#include <QWidget>
#include <QtEndian>

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
    const QByteArray bytes = Assets::CursorFile(name);
    // A .cur file: 6-byte header, then 16-byte entries whose bytes 4..7 hold the hot spot.
    if (bytes.size() < 22)
        return QCursor(fallback);
    const auto *d = reinterpret_cast<const uchar *>(bytes.constData());
    const int hotX = qFromLittleEndian<quint16>(d + 6 + 4);
    const int hotY = qFromLittleEndian<quint16>(d + 6 + 6);
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "cur");
    QImage image = reader.read();
    if (image.isNull()) {
        buffer.seek(0);
        QImageReader icoReader(&buffer, "ico");
        image = icoReader.read();
    }
    if (image.isNull())
        return QCursor(fallback);
    return QCursor(QPixmap::fromImage(image), hotX, hotY);
}

void RegisterProgramCursors()
{
    Register(crRuka, FromAsset(QStringLiteral("Ruka"), Qt::PointingHandCursor));
    Register(crRukaZak, FromAsset(QStringLiteral("RukaZak"), Qt::ForbiddenCursor));
    Register(crSipka, FromAsset(QStringLiteral("Sipka"), Qt::ArrowCursor));
    Register(crSipkaZ, FromAsset(QStringLiteral("SipkaZ"), Qt::ArrowCursor));
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
