#pragma once
// The pictures, sounds and cursors that Zendra carries inside itself, looked
// up by name without regard to case. They live in the resource folder
// ":/assets" as .bmp, .wav and .cur files made by the asset generator; most
// pictures also have a twin drawn at twice the size for high-density screens.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace Assets {

inline const QString kResourceFolder = QStringLiteral(":/assets");

// The resource path of an asset, found by its base name in any letter case;
// empty when there is none.
QString PathOf(const QString &name, const QString &suffix);

// The named picture. When the resource is missing, a plain placeholder of the
// catalogued size is returned so that layout still works.
QImage Picture(const QString &name);
// The named picture for a screen of the given device pixel ratio. Above 1 it
// is the twin drawn at twice the size, marked with a device pixel ratio of 2
// so that it paints at the catalogued size in logical pixels; at 1, or when a
// picture has no twin, it is the picture above.
QImage Picture(const QString &name, qreal devicePixelRatio);
// The same choice for a picture already handed over: a catalogue picture that
// nobody has drawn on gets its twin; anything else comes back unchanged.
QImage ForDevicePixelRatio(const QImage &picture, qreal devicePixelRatio);
// The resource name of a picture's double-size twin ("Stul1@2x").
QString DoubleSizeName(const QString &name);
// Forgets the decoded pictures that nothing but the catalogue holds any more
// (the logo once its window is gone); they are decoded again when asked for.
void ReleaseUnused();
// The catalogued size of a named picture; invalid for unknown names.
QSize CataloguedSize(const QString &name);
// Raw bytes of a wave ("Zvonky", "Hrom", ...); empty when missing.
QByteArray Wave(const QString &name);
// Raw bytes of a cursor file; empty when missing.
QByteArray CursorFile(const QString &name);

QStringList PictureNames();
QStringList WaveNames();
QStringList CursorNames();

} // namespace Assets
