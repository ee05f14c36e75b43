#include "files/EditorText.h"
#include <QTextDocument>

namespace EditorText {

namespace {
// The marks a QTextDocument keeps around frames in its raw text.
constexpr char16_t kFrameStart = 0xFDD0;
constexpr char16_t kFrameEnd = 0xFDD1;
} // namespace

QString FromRaw(QString raw)
{
    for (QChar &c : raw) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case kFrameStart:
        case kFrameEnd:
            c = u'\n';
            break;
        default:
            break;
        }
    }
    return raw;
}

QString Of(const QTextDocument &document) { return FromRaw(document.toRawText()); }

} // namespace EditorText
