#pragma once
// The text forms in which the settings keep a colour and a font.
//
// A colour is a 32-bit value 0x00BBGGRR (red in the lowest byte), or one of
// the desktop's colours 0x80000000 + index, or clNone; its text is the
// colour's identifier when it has one, else "$" and eight hex digits.
// A font is "name,size,BIUS,colour": four digits 0/1 for bold, italic,
// underline and strike-out.

#include <QString>
#include <cstdint>
#include <optional>
#include <stdexcept>

using ColorValue = std::int32_t;

inline constexpr ColorValue kDefaultTextColor = 0x00E8F4D0; // RGB(208, 244, 232)
inline constexpr ColorValue kBlack = 0x00000000;
inline constexpr ColorValue kSystemColorFlag = ColorValue(0x80000000u);
inline constexpr ColorValue kClNone = 0x1FFFFFFF;

enum SystemColorIndex {
    clScrollBarIdx, clBackgroundIdx, clActiveCaptionIdx, clInactiveCaptionIdx, clMenuIdx, clWindowIdx,
    clWindowFrameIdx, clMenuTextIdx, clWindowTextIdx, clCaptionTextIdx, clActiveBorderIdx, clInactiveBorderIdx,
    clAppWorkSpaceIdx, clHighlightIdx, clHighlightTextIdx, clBtnFaceIdx, clBtnShadowIdx, clGrayTextIdx,
    clBtnTextIdx, clInactiveCaptionTextIdx, clBtnHighlightIdx, cl3DDkShadowIdx, cl3DLightIdx, clInfoTextIdx,
    clInfoBkIdx, kSystemColorCount
};
inline constexpr ColorValue SystemColor(int index) { return kSystemColorFlag | index; }
inline bool IsSystemColor(ColorValue v) { return (v & kSystemColorFlag) != 0 && (v & 0xFF) < kSystemColorCount; }

// A text that cannot be read as what it should be; the message is the toolkit's.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

QString ColorToString(ColorValue color);
// An identifier (any case), a decimal number or "$" hexadecimal. Throws EConvertError.
ColorValue StringToColor(const QString &text);

struct FontText {
    QString name;
    int size = 0; // points
    bool bold = false, italic = false, underline = false, strikeOut = false;
    ColorValue color = kDefaultTextColor;
    bool operator==(const FontText &) const = default;
};

QString FontToString(const FontText &font);
// Throws EConvertError "Invalid string to font conversion" when the four style
// digits are not in place, and the colour's or size's own error otherwise.
FontText StringToFont(const QString &text);
