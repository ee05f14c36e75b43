#include "tools/FileSearch.h"
#include "files/CodePage.h"
#include "files/ConsultationFile.h"
#include "files/PasswordRules.h"
#include "reading/MarkerLine.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <array>

namespace FileSearch {

namespace {
// Hidden and system entries count; a broken link is listed and then fails to read.
constexpr QDir::Filters kEntryFilter = QDir::Files | QDir::Hidden | QDir::System;
} // namespace

Enumeration::Enumeration() = default;
Enumeration::~Enumeration() = default;

void Enumeration::start(const QString &folder)
{
    end();
    m_folder = folder;
    open(Phase::Plain);
}

void Enumeration::open(Phase phase)
{
    m_phase = phase;
    const QString mask = phase == Phase::Plain ? kPlainMask : kProtectedMask;
    // QDirIterator lists lazily and unsorted: the directory's own order.
    m_iterator = std::make_unique<QDirIterator>(m_folder, QStringList{mask}, kEntryFilter);
}

std::optional<QString> Enumeration::next()
{
    while (m_iterator) {
        if (m_iterator->hasNext()) {
            m_iterator->next();
            return m_iterator->fileName();
        }
        if (m_phase == Phase::Plain)
            open(Phase::Protected);
        else
            end();
    }
    return std::nullopt;
}

void Enumeration::end() { m_iterator.reset(); }

QStringList Entries(const QString &folder)
{
    QStringList names;
    Enumeration e;
    e.start(folder);
    while (const std::optional<QString> name = e.next())
        names << *name;
    return names;
}

QString EditorText(QStringList lines)
{
    HexagramLines cast;
    if (!lines.isEmpty() && ParseMarkerLine(lines.first(), cast) != MarkerParse::NoMarker)
        lines.removeFirst();
    QString text = lines.join(u'\n');
    text.replace(QChar::Nbsp, u' ');
    return text;
}

namespace {

// Windows-1250 byte -> the character the editor shows, built once from the
// code page itself; a no-break space shows as a space.
const std::array<char16_t, 256> &ShownCharacters()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString c = CodePage::Decode(QByteArrayView(&byte, 1));
            t[b] = c.size() == 1 ? c[0].unicode() : char16_t(QChar::ReplacementCharacter);
        }
        t[0xA0] = u' ';
        return t;
    }();
    return table;
}

// The lines of the bytes joined by one LF, read as ConsultationFile::ReadLines
// reads them (CR LF, CR and LF end a line, a NUL ends the text), in one pass:
// thousands of files are read per search.
QString JoinedLines(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes = bytes.first(nul);
    const std::array<char16_t, 256> &shown = ShownCharacters();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    char16_t *const start = out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\r') {
            *out++ = u'\n';
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            *out++ = b == '\n' ? u'\n' : shown[b];
        }
    }
    qsizetype length = out - start;
    if (length > 0 && start[length - 1] == u'\n')
        --length; // the last line's end starts no further line
    text.truncate(length);
    return text;
}

// A first line that the marker parse hides or drops is not in the editor.
void DropMarkerLine(QString &text)
{
    const qsizetype end = text.indexOf(u'\n');
    HexagramLines cast;
    if (ParseMarkerLine(end < 0 ? text : text.left(end), cast) == MarkerParse::NoMarker)
        return;
    text.remove(0, end < 0 ? text.size() : end + 1);
}

QString CodePageFileText(QByteArrayView bytes)
{
    QString text = JoinedLines(bytes);
    DropMarkerLine(text);
    return text;
}

} // namespace

QString PlainFileText(QByteArrayView bytes)
{
    // A file another editor wrote in UTF-8 opens as UTF-8: search what it shows.
    if (ConsultationFile::IsUtf8PlainText(bytes))
        return EditorText(ConsultationFile::ReadPlainLines(bytes));
    return CodePageFileText(bytes);
}

QString DecryptedFileText(QByteArrayView body)
{
    // Well-formed padding (n bytes of 1, then n) goes whole.
    if (!body.isEmpty()) {
        const int n = static_cast<unsigned char>(body.back());
        bool padded = n >= 1 && n <= 8 && body.size() >= n + 1;
        for (int i = 0; padded && i < n; ++i)
            padded = body[body.size() - 2 - i] == 1;
        if (padded) // the program's own content: always the code page
            return CodePageFileText(body.first(body.size() - n - 1));
    }
    // Anything else: the last line stands in for the padding.
    QString text = JoinedLines(body);
    text.truncate(qMax<qsizetype>(0, text.lastIndexOf(u'\n')));
    DropMarkerLine(text);
    return text;
}

std::optional<QString> ProtectedFileText(QByteArrayView stored, const QString &key)
{
    const std::optional<QByteArray> body = DecryptConsultation(stored.toByteArray(), key);
    if (!body)
        return std::nullopt;
    return DecryptedFileText(*body);
}

std::optional<QByteArray> ReadCandidateFile(const QString &path)
{
    // A folder opens on some systems and reads as nothing; it is no file.
    if (QFileInfo(path).isDir())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || file.size() > kLargestCandidateBytes)
        return std::nullopt;
    // Read by the size the file reports, plus a byte that shows it grew:
    // asking for the whole limit at once allocates it for every file. A
    // device that reports no size is read in chunks up to the limit.
    QByteArray bytes;
    qint64 want = file.size() + 1;
    for (;;) {
        const qsizetype at = bytes.size();
        const qint64 room = qMin(want, kLargestCandidateBytes + 1 - at);
        if (room <= 0)
            break;
        bytes.resize(at + room);
        const qint64 got = file.read(bytes.data() + at, room);
        bytes.resize(at + qMax<qint64>(got, 0));
        if (got < room) // QFile reads until it has it all or meets the end
            break;
        want = 64 << 10;
    }
    if (file.error() != QFileDevice::NoError || bytes.size() > kLargestCandidateBytes)
        return std::nullopt;
    return bytes;
}

QString StartFolder(const QString &installDir, const QString &workingDir, const QString &homeDir)
{
    const QString data = QStringLiteral("Data");
    if (!installDir.isEmpty()) {
        const QDir install(installDir);
        if (install.exists() && QFileInfo(install.filePath(data)).isDir())
            return QDir::cleanPath(install.filePath(data));
    }
    if (!workingDir.isEmpty()) {
        const QDir working(workingDir);
        if (QFileInfo(working.filePath(data)).isDir())
            return QDir::cleanPath(working.filePath(data));
        const QFileInfo info(workingDir);
        if (info.isDir() && info.isWritable() && !working.isRoot())
            return QDir::cleanPath(workingDir);
    }
    return QDir::cleanPath(homeDir);
}

} // namespace FileSearch
