// Reading a candidate file of find in files and matching in it, with
// untrusted bytes. Input: a flags byte (bit 0 protected, bit 1 match case,
// bit 2 whole words), a byte k and k % 16 bytes of phrase (Latin-1), then
// the file's bytes (for a protected file, its content after decryption and
// the signature: the cipher and its reader have targets of their own).
// Checks that reading never goes out of bounds, that the one-pass reader
// gives the text that the editor's own line reader gives, that the text is
// what an editor holds (no CR, NUL or no-break space), that a match lies
// inside the text and obeys the case and whole-word rules.

#include "files/ConsultationFile.h"
#include "tools/FileSearch.h"
#include <cstdlib>

namespace {

struct Input {
    const std::uint8_t *at;
    std::size_t left;
    QByteArray take(std::size_t n)
    {
        n = std::min(n, left);
        QByteArray b(reinterpret_cast<const char *>(at), qsizetype(n));
        at += n;
        left -= n;
        return b;
    }
    int byte() { return left ? int(take(1)[0]) & 0xFF : 0; }
};

void CheckText(const QString &text)
{
    for (QChar c : text)
        if (c == u'\r' || c == u'\0' || c == QChar::Nbsp)
            std::abort();
}

void CheckMatch(const QString &text, const QString &phrase, const SearchOptions &options)
{
    const qsizetype at = FileSearch::FirstMatch(text, phrase, options);
    if (at < 0) {
        if (!phrase.isEmpty() && !options.wholeWords && text.contains(phrase, options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive))
            std::abort();
        return;
    }
    if (phrase.isEmpty() || text.isEmpty() || at + phrase.size() > text.size())
        std::abort();
    const QStringView found = QStringView(text).mid(at, phrase.size());
    if (found.compare(phrase, options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive) != 0)
        std::abort();
    if (options.wholeWords) {
        const qsizetype end = at + phrase.size();
        if ((at > 0 && text[at - 1].isLetterOrNumber()) || (end < text.size() && text[end].isLetterOrNumber()))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Input in{data, size};
    const int flags = in.byte();
    const QString phrase = QString::fromLatin1(in.take(std::size_t(in.byte() % 16)));
    const QByteArray bytes = in.take(in.left);
    const SearchOptions options{(flags & 2) != 0, (flags & 4) != 0};

    QString text;
    if (flags & 1) {
        text = FileSearch::DecryptedFileText(bytes);
        if (text != FileSearch::EditorText(ConsultationFile::ReadDecryptedLines(bytes)))
            std::abort();
    } else {
        text = FileSearch::PlainFileText(bytes);
        if (text != FileSearch::EditorText(ConsultationFile::ReadPlainLines(bytes)))
            std::abort();
    }
    CheckText(text);
    CheckMatch(text, phrase, options);

    return 0;
}
