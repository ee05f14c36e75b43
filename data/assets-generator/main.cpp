// zendra-assetgen OUTDIR [NAME...]
// Writes every picture (.bmp, and NAME@2x.bmp at twice the size), sound
// (.wav) and cursor (.cur) of the program into OUTDIR, or only the named
// ones. Runs under the offscreen platform.
// zendra-assetgen --icons OUTDIR writes the desktop icons as a hicolor tree.

#include "Generator.h"
#include "ui/AssetFormats.h"
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <functional>
#include <utility>

namespace {

// The desktop's names for the program and for its saved consultations.
constexpr char kAppId[] = "cz.tavlo.Zendra";
constexpr char kFileIconName[] = "application-x-zendra-consultation";

struct Asset {
    QString file;
    std::function<QByteArray()> make;
};

QByteArray Bmp(const QImage &image) { return AssetFormats::EncodeBmp24(image); }

QByteArray Cur(const QString &name)
{
    const Gen::CursorArt art = Gen::Cursor(name);
    return AssetFormats::EncodeCursor(art.image, art.hotSpot, art.bitCount);
}

// Suffix of a picture drawn at twice the size for high-density screens.
const QString kDoubleSuffix = QStringLiteral("@2x");

QList<Asset> Catalogue()
{
    // Every picture the controls paint comes at scale 1 and at scale 2; the
    // window icon stays single, the desktop takes its icons from --icons.
    QList<std::pair<QString, std::function<QByteArray(int)>>> pictures;
    for (int i = 1; i <= 4; ++i)
        pictures.append({QStringLiteral("Stul%1").arg(i), [i](int s) { return Bmp(Gen::Wood(i, s)); }});
    pictures.append({QStringLiteral("Papir1"), [](int s) { return Bmp(Gen::Paper(105, 161, true, 101, s)); }});
    pictures.append({QStringLiteral("Papir2"), [](int s) { return Bmp(Gen::Paper(105, 161, false, 102, s)); }});
    pictures.append({QStringLiteral("FuSi1"), [](int s) { return Bmp(Gen::TrigramCircle(true, true, s)); }});
    pictures.append({QStringLiteral("FuSi2"), [](int s) { return Bmp(Gen::TrigramCircle(true, false, s)); }});
    pictures.append({QStringLiteral("Wen1"), [](int s) { return Bmp(Gen::TrigramCircle(false, true, s)); }});
    pictures.append({QStringLiteral("Wen2"), [](int s) { return Bmp(Gen::TrigramCircle(false, false, s)); }});
    pictures.append({QStringLiteral("Mince"), [](int s) { return Bmp(Gen::CoinStrip(false, false, s)); }});
    pictures.append({QStringLiteral("MinceZ"), [](int s) { return Bmp(Gen::CoinStrip(false, true, s)); }});
    pictures.append({QStringLiteral("MinceKx"), [](int s) { return Bmp(Gen::CoinStrip(true, false, s)); }});
    pictures.append({QStringLiteral("MinceKxZ"), [](int s) { return Bmp(Gen::CoinStrip(true, true, s)); }});
    pictures.append({QStringLiteral("Disketa"),
                     [](int s) { return AssetFormats::EncodeBmp4(Gen::Diskette(s), Gen::DiskettePalette()); }});
    pictures.append({QStringLiteral("Logo"), [](int s) { return Bmp(Gen::Logo(s)); }});
    pictures.append({QStringLiteral("PanelPozadi"), [](int s) { return Bmp(Gen::PanelBackground(s)); }});
    for (const char *g : {"TlJadro", "TlOpacne", "TlOtocene", "TlPoznamky", "TlVyvoj", "TlZCar"}) {
        const QString name = QLatin1String(g);
        pictures.append({name, [name](int s) { return Bmp(Gen::ButtonGlyph(name, s)); }});
    }

    QList<Asset> list;
    for (const auto &[name, make] : pictures) {
        list.append({name + QStringLiteral(".bmp"), [make] { return make(1); }});
        list.append({name + kDoubleSuffix + QStringLiteral(".bmp"), [make] { return make(2); }});
    }
    list.append({QStringLiteral("MAINICON.bmp"),
                 [] { return AssetFormats::EncodeBmp4(Gen::MainIcon(), Gen::MainIconPalette()); }});
    for (const char *s : {"Zvonky", "Zvonek", "Harfa1", "Harfa2", "Hrom"}) {
        const QString name = QLatin1String(s);
        list.append({name + QStringLiteral(".wav"),
                     [name] { return AssetFormats::EncodeWave8(Gen::Sound(name), Gen::kSampleRate); }});
    }
    for (const char *c : {"Ruka", "RukaZak", "Sipka", "SipkaZ", "HOTLABEL_HANDCUR"}) {
        const QString name = QLatin1String(c);
        list.append({name + QStringLiteral(".cur"), [name] { return Cur(name); }});
    }
    return list;
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QByteArray Png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

int WriteIcons(const QDir &out)
{
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("hicolor/%1x%1/").arg(size);
        if (!out.mkpath(dir + QStringLiteral("apps")) || !out.mkpath(dir + QStringLiteral("mimetypes")))
            return 1;
        const QString app = out.filePath(dir + QStringLiteral("apps/") + QLatin1String(kAppId) + QStringLiteral(".png"));
        const QString doc = out.filePath(dir + QStringLiteral("mimetypes/") + QLatin1String(kFileIconName) + QStringLiteral(".png"));
        if (!WriteFile(app, Png(Gen::AppIcon(size))) || !WriteFile(doc, Png(Gen::ConsultationFileIcon(size)))) {
            std::fprintf(stderr, "cannot write the icons of size %d\n", size);
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts are needed, a screen is not.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: zendra-assetgen OUTDIR [NAME...]\n");
        return 2;
    }
    if (args.size() == 2 && args.first() == QLatin1String("--icons"))
        return WriteIcons(QDir(args.at(1)));
    const QDir out(args.first());
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    const QStringList only = args.mid(1);
    QElapsedTimer clock;
    clock.start();
    // One after the other: glyph outlines drawn from several threads at once
    // came out different from run to run.
    int written = 0;
    for (const Asset &asset : Catalogue()) {
        // A name asks for the picture at both scales.
        const QString base = asset.file.section(u'.', 0, 0).remove(kDoubleSuffix);
        if (!only.isEmpty() && !only.contains(base, Qt::CaseInsensitive))
            continue;
        const QString path = out.filePath(asset.file);
        if (!WriteFile(path, asset.make())) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        ++written;
    }
    std::printf("zendra-assetgen: %d assets in %lld ms\n", written, static_cast<long long>(clock.elapsed()));
    return 0;
}
