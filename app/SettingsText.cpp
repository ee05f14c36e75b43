#include "app/SettingsText.h"

namespace {

struct NamedColor {
    const char *name;
    ColorValue value;
};

// The sixteen basic colours, the desktop's colours in index order, clNone.
const NamedColor kNamedColors[] = {
    {"clBlack", 0x000000},   {"clMaroon", 0x000080}, {"clGreen", 0x008000},   {"clOlive", 0x008080},
    {"clNavy", 0x800000},    {"clPurple", 0x800080}, {"clTeal", 0x808000},    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},  {"clRed", 0x0000FF},    {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},   {"clWhite", 0xFFFFFF},
    {"clScrollBar", SystemColor(clScrollBarIdx)},
    {"clBackground", SystemColor(clBackgroundIdx)},
    {"clActiveCaption", SystemColor(clActiveCaptionIdx)},
    {"clInactiveCaption", SystemColor(clInactiveCaptionIdx)},
    {"clMenu", SystemColor(clMenuIdx)},
    {"clWindow", SystemColor(clWindowIdx)},
    {"clWindowFrame", SystemColor(clWindowFrameIdx)},
    {"clMenuText", SystemColor(clMenuTextIdx)},
    {"clWindowText", SystemColor(clWindowTextIdx)},
    {"clCaptionText", SystemColor(clCaptionTextIdx)},
    {"clActiveBorder", SystemColor(clActiveBorderIdx)},
    {"clInactiveBorder", SystemColor(clInactiveBorderIdx)},
    {"clAppWorkSpace", SystemColor(clAppWorkSpaceIdx)},
    {"clHighlight", SystemColor(clHighlightIdx)},
    {"clHighlightText", SystemColor(clHighlightTextIdx)},
    {"clBtnFace", SystemColor(clBtnFaceIdx)},
    {"clBtnShadow", SystemColor(clBtnShadowIdx)},
    {"clGrayText", SystemColor(clGrayTextIdx)},
    {"clBtnText", SystemColor(clBtnTextIdx)},
    {"clInactiveCaptionText", SystemColor(clInactiveCaptionTextIdx)},
    {"clBtnHighlight", SystemColor(clBtnHighlightIdx)},
    {"cl3DDkShadow", SystemColor(cl3DDkShadowIdx)},
    {"cl3DLight", SystemColor(cl3DLightIdx)},
    {"clInfoText", SystemColor(clInfoTextIdx)},
    {"clInfoBk", SystemColor(clInfoBkIdx)},
    {"clNone", kClNone},
};

int ToInteger(const QString &text)
{
    bool ok = false;
    qint64 v = 0;
    const QString t = text.trimmed();
    if (t.startsWith(u'$'))
        v = t.mid(1).toLongLong(&ok, 16);
    else
        v = t.toLongLong(&ok, 10);
    if (!ok || v < INT32_MIN || v > UINT32_MAX)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return static_cast<int>(static_cast<std::uint32_t>(v));
}

} // namespace

QString ColorToString(ColorValue color)
{
    for (const NamedColor &c : kNamedColors)
        if (c.value == color)
            return QLatin1String(c.name);
    return u'$' + QStringLiteral("%1").arg(static_cast<std::uint32_t>(color), 8, 16, QLatin1Char('0')).toUpper();
}

ColorValue StringToColor(const QString &text)
{
    for (const NamedColor &c : kNamedColors)
        if (text.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    return ToInteger(text);
}

QString FontToString(const FontText &f)
{
    // Plain concatenation: a '%' in the font's name must stay as it is.
    auto digit = [](bool on) { return on ? u'1' : u'0'; };
    return f.name + u',' + QString::number(f.size) + u',' + digit(f.bold) + digit(f.italic) + digit(f.underline)
           + digit(f.strikeOut) + u',' + ColorToString(f.color);
}

FontText StringToFont(const QString &text)
{
    FontText f;
    const int nameEnd = text.indexOf(u',');
    if (nameEnd < 0)
        throw EConvertError(QStringLiteral("Invalid string to font conversion"));
    f.name = text.left(nameEnd);
    QString rest = text.mid(nameEnd + 1);
    const int sizeEnd = rest.indexOf(u',');
    if (sizeEnd < 0)
        throw EConvertError(QStringLiteral("Invalid string to font conversion"));
    f.size = ToInteger(rest.left(sizeEnd));
    rest = rest.mid(sizeEnd + 1);
    // Four style digits and a comma: the comma is the fifth character.
    if (rest.indexOf(u',') != 4)
        throw EConvertError(QStringLiteral("Invalid string to font conversion"));
    f.bold = rest[0] == u'1';
    f.italic = rest[1] == u'1';
    f.underline = rest[2] == u'1';
    f.strikeOut = rest[3] == u'1';
    f.color = StringToColor(rest.mid(5));
    return f;
}
