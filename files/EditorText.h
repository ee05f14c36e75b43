#pragma once
// The text of an editor's document as the program keeps it. The document's
// own plain text turns no-break spaces into spaces, which would change the
// user's text on every save; Windows-1250 holds them (0xA0), so they stay.

#include <QString>

class QTextDocument;

namespace EditorText {

// Paragraph and line separators become '\n'; everything else stays as typed.
QString FromRaw(QString raw);
QString Of(const QTextDocument &document);

} // namespace EditorText
