#include "ui/AssetCatalogue.h"
#include <QDir>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QResource>

// The generated assets are an object file in a static library; naming its
// initialiser here keeps the linker from leaving it out.
static void InitAssetResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(zendra_assets);
        return true;
    }();
    Q_UNUSED(done);
}

namespace {

// QResource names a folder's entries without opening them, but only to
// subclasses. The asset folder holds files alone.
class ResourceFolder : public QResource {
public:
    using QResource::QResource;
    QStringList files() const { return children(); }
};

struct PictureEntry {
    const char *name;
    int width;
    int height;
};

const PictureEntry kPictures[] = {
    {"Stul1", 854, 690},   {"Stul2", 800, 632},   {"Stul3", 736, 730},  {"Stul4", 860, 375},
    {"Papir1", 105, 161},  {"Papir2", 105, 161},  {"FuSi1", 345, 305},  {"FuSi2", 345, 305},
    {"Wen1", 345, 305},    {"Wen2", 345, 305},    {"Mince", 780, 67},   {"MinceZ", 780, 67},
    {"MinceKx", 455, 67},  {"MinceKxZ", 455, 67}, {"Disketa", 15, 15},  {"Logo", 230, 200},
    {"PanelPozadi", 300, 250},
    {"TlJadro", 25, 25},   {"TlOpacne", 25, 25},  {"TlOtocene", 25, 25}, {"TlPoznamky", 25, 25},
    {"TlVyvoj", 25, 25},   {"TlZCar", 25, 25},    {"MAINICON", 32, 32},
};

const char *const kWaves[] = {"Zvonky", "Zvonek", "Harfa1", "Harfa2", "Hrom"};
const char *const kCursors[] = {"Ruka", "RukaZak", "Sipka", "SipkaZ", "HOTLABEL_HANDCUR"};

// Placeholder look: a flat colour by kind, so a missing asset is obvious but harmless.
QColor PlaceholderColour(const QString &name)
{
    const QString n = name.toLower();
    if (n.startsWith(u"stul"))
        return QColor(110, 70, 40);
    if (n.startsWith(u"papir") || n.startsWith(u"fusi") || n.startsWith(u"wen"))
        return QColor(230, 215, 170);
    if (n.startsWith(u"mince"))
        return QColor(190, 190, 190);
    return QColor(200, 200, 200);
}

} // namespace

namespace Assets {

QString PathOf(const QString &name, const QString &suffix)
{
    static QHash<QString, QString> index = [] {
        InitAssetResources();
        // Only the folder's names are read. Listing it through QDir would
        // open every file's resource, and each opening touches the start of
        // that file's compressed data: megabytes of the program mapped in at
        // start-up for the few pictures it shows.
        QHash<QString, QString> h;
        for (const QString &file : ResourceFolder(kResourceFolder).files())
            h.insert(file.toLower(), kResourceFolder + u'/' + file);
        return h;
    }();
    return index.value((name + suffix).toLower());
}

QSize CataloguedSize(const QString &name)
{
    for (const PictureEntry &e : kPictures)
        if (name.compare(QLatin1String(e.name), Qt::CaseInsensitive) == 0)
            return {e.width, e.height};
    return {};
}

// Pictures are reloaded on every cast and reset; decode each only once.
// Callers get a shared copy that detaches when they draw on it.
static QHash<QString, QImage> &Decoded()
{
    static QHash<QString, QImage> decoded;
    return decoded;
}

static const QString kDoubleSuffix = QStringLiteral("@2x");

static QImage Decode(const QString &key)
{
    QHash<QString, QImage> &decoded = Decoded();
    if (const auto it = decoded.constFind(key); it != decoded.constEnd())
        return *it;
    const QString path = PathOf(key, QStringLiteral(".bmp"));
    QImage image;
    if (!path.isEmpty())
        image.load(path);
    if (!image.isNull()) {
        // Marked before it is shared, so no caller has to copy it to mark it.
        image.setDevicePixelRatio(key.endsWith(kDoubleSuffix) ? 2.0 : 1.0);
        decoded.insert(key, image);
    }
    return image;
}

void ReleaseUnused()
{
    QHash<QString, QImage> &decoded = Decoded();
    for (auto it = decoded.begin(); it != decoded.end();)
        it = it->isDetached() ? decoded.erase(it) : std::next(it);
}

QImage Picture(const QString &name)
{
    QImage image = Decode(name.toLower());
    if (!image.isNull())
        return image;
    QSize size = CataloguedSize(name);
    if (!size.isValid())
        return {};
    image = QImage(size, QImage::Format_RGB32);
    image.fill(PlaceholderColour(name));
    return image;
}

QString DoubleSizeName(const QString &name) { return name + kDoubleSuffix; }

QImage Picture(const QString &name, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0) {
        // A twin of any other size would move everything drawn over it.
        const QImage twin = Decode(DoubleSizeName(name).toLower());
        if (!twin.isNull() && twin.size() == 2 * CataloguedSize(name))
            return twin;
    }
    return Picture(name);
}

QImage ForDevicePixelRatio(const QImage &picture, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1.0 || picture.isNull() || picture.devicePixelRatio() > 1.0)
        return picture;
    // A shared copy of a decoded picture keeps its cache key until it is drawn on.
    const QHash<QString, QImage> &decoded = Decoded();
    for (auto it = decoded.constBegin(); it != decoded.constEnd(); ++it)
        if (it.value().cacheKey() == picture.cacheKey() && !it.key().endsWith(kDoubleSuffix))
            return Picture(it.key(), devicePixelRatio);
    return picture;
}

static QByteArray ReadResource(const QString &path)
{
    if (path.isEmpty())
        return {};
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Wave(const QString &name) { return ReadResource(PathOf(name, QStringLiteral(".wav"))); }
QByteArray CursorFile(const QString &name) { return ReadResource(PathOf(name, QStringLiteral(".cur"))); }

QStringList PictureNames()
{
    QStringList l;
    for (const PictureEntry &e : kPictures)
        l << QLatin1String(e.name);
    return l;
}

QStringList WaveNames()
{
    QStringList l;
    for (const char *n : kWaves)
        l << QLatin1String(n);
    return l;
}

QStringList CursorNames()
{
    QStringList l;
    for (const char *n : kCursors)
        l << QLatin1String(n);
    return l;
}

} // namespace Assets
