#include "files/CodePage.h"
#include <QHash>
#include <QStringDecoder>

namespace CodePage {

namespace {
// Unicode -> byte for the upper half of the code page, built once from the
// code page itself; a character not in it has no byte there.
const QHash<char16_t, char> &UpperHalf()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        QStringDecoder decode("windows-1250");
        for (int b = 0x80; b <= 0xFF; ++b) {
            const char byte = char(b);
            const QString c = decode(QByteArrayView(&byte, 1));
            if (c.size() == 1 && c[0] != QChar::ReplacementCharacter)
                t.insert(c[0].unicode(), byte);
        }
        return t;
    }();
    return table;
}

bool Representable(QChar c) { return c.unicode() < 0x80 || UpperHalf().contains(c.unicode()); }
} // namespace

QByteArray Encode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text)
        out += c.unicode() < 0x80 ? char(c.unicode()) : UpperHalf().value(c.unicode(), '?');
    return out;
}

std::optional<QByteArray> EncodeExactly(const QString &text)
{
    for (QChar c : text)
        if (!Representable(c))
            return std::nullopt;
    return Encode(text);
}

QString Decode(QByteArrayView bytes)
{
    QStringDecoder decode("windows-1250");
    return decode(bytes);
}

QString Unrepresentable(const QString &text)
{
    QString found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, width);
        i += width - 1;
        if ((width == 2 || !Representable(ch.at(0))) && !found.contains(ch))
            found += ch;
    }
    return found;
}

} // namespace CodePage
