#pragma once
// Windows-1250, the code page of every file Zendra reads and writes and of
// the password keys, in one place: the bytes of a text, the text of bytes,
// and the characters the code page cannot hold.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace CodePage {
// Characters the code page lacks become '?'.
QByteArray Encode(const QString &text);
// Nothing when a character has no byte of its own.
std::optional<QByteArray> EncodeExactly(const QString &text);
QString Decode(QByteArrayView bytes);
// The characters of the text that the code page lacks, each once, in order
// of appearance; a surrogate pair counts as one character.
QString Unrepresentable(const QString &text);
} // namespace CodePage
