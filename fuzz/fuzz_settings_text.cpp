// Font and colour texts from the settings store: read without crashing, and
// what is read writes back to a text that reads the same.
#include "app/SettingsText.h"
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const ColorValue c = StringToColor(text);
        if (StringToColor(ColorToString(c)) != c)
            std::abort();
    } catch (const EConvertError &) {
    }
    try {
        const FontText f = StringToFont(text);
        if (!f.name.contains(u',') && StringToFont(FontToString(f)) != f)
            std::abort();
    } catch (const EConvertError &) {
    }
    return 0;
}
