#include "files/ConsultationFile.h"
#include "files/CodePage.h"
#include "files/PasswordRules.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

namespace ConsultationFile {

bool IsPlainName(const QString &path) { return path.endsWith(kPlainSuffix, Qt::CaseSensitive); }

QString UnrepresentableCharacters(const QStringList &lines)
{
    return CodePage::Unrepresentable(lines.join(QString()));
}

QByteArray TextForm(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines)
        out += CodePage::Encode(line) + "\r\n";
    return out;
}

namespace {

QByteArrayView UpToNul(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return nul >= 0 ? bytes.first(nul) : bytes;
}

// CR LF, a lone CR and a lone LF end a line; so does the end of the bytes.
// Neither byte occurs inside a UTF-8 sequence, so splitting first is safe.
// A negative maxLines takes them all.
QStringList SplitLines(QByteArrayView bytes, QStringDecoder &decode, qsizetype maxLines = -1)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size() && lines.size() != maxLines; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines << decode(bytes.sliced(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size() && lines.size() != maxLines)
        lines << decode(bytes.sliced(start));
    return lines;
}

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

// Well-formed UTF-8 as the standard defines it: no overlong forms, no
// surrogates, nothing above U+10FFFF. Sets multiByte when a sequence of two
// or more bytes occurs.
bool IsWellFormedUtf8(QByteArrayView bytes, bool &multiByte)
{
    multiByte = false;
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    for (qsizetype i = 0; i < bytes.size();) {
        const unsigned char b = at(i);
        if (b < 0x80) {
            ++i;
            continue;
        }
        int length;
        unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                low = 0xA0; // overlong below
            else if (b == 0xED)
                high = 0x9F; // surrogates above
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (i + length > bytes.size() || at(i + 1) < low || at(i + 1) > high)
            return false;
        for (int k = 2; k < length; ++k)
            if (at(i + k) < 0x80 || at(i + k) > 0xBF)
                return false;
        multiByte = true;
        i += length;
    }
    return true;
}

} // namespace

QStringList ReadLines(QByteArrayView bytes)
{
    QStringDecoder decode("windows-1250");
    return SplitLines(UpToNul(bytes), decode);
}

bool IsUtf8PlainText(QByteArrayView bytes)
{
    bytes = UpToNul(bytes);
    bool multiByte = false;
    return bytes.startsWith(kUtf8Mark) || (IsWellFormedUtf8(bytes, multiByte) && multiByte);
}

QStringList ReadPlainLines(QByteArrayView bytes, qsizetype maxLines)
{
    if (!IsUtf8PlainText(bytes)) {
        QStringDecoder decode("windows-1250");
        return SplitLines(UpToNul(bytes), decode, maxLines);
    }
    bytes = UpToNul(bytes);
    if (bytes.startsWith(kUtf8Mark))
        bytes = bytes.sliced(3);
    // The mark is taken off above; one inside the text is a character and stays.
    QStringDecoder decode(QStringDecoder::Utf8,
                          QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return SplitLines(bytes, decode, maxLines);
}

QStringList ReadDecryptedLines(QByteArrayView body)
{
    // Well-formed padding: n bytes of 1, then n (1..8).
    if (!body.isEmpty()) {
        const int n = static_cast<unsigned char>(body.back());
        bool padded = n >= 1 && n <= 8 && body.size() >= n + 1;
        for (int i = 0; padded && i < n; ++i)
            padded = body[body.size() - 2 - i] == 1;
        if (padded)
            return ReadLines(body.first(body.size() - n - 1));
    }
    // Anything else: the last line stands in for the padding.
    QStringList lines = ReadLines(body);
    if (!lines.isEmpty())
        lines.removeLast();
    return lines;
}

QString DialogStartPath(const QString &workingFolder, const QString &fileName)
{
    const QDir working(workingFolder);
    const QString data = working.absoluteFilePath(QStringLiteral("Data"));
    const QString folder = QFileInfo(data).isDir() ? data : working.absolutePath();
    const QString name = QFileInfo(fileName).fileName();
    return name.isEmpty() ? folder : QDir(folder).filePath(name);
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Soubor %1 nelze otevřít: %2").arg(path, f.errorString()));
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw EFileError(QStringLiteral("Soubor %1 nelze přečíst: %2").arg(path, f.errorString()));
    return bytes;
}

void WriteFile(const QString &path, QByteArrayView bytes) { SaveWhole(path, bytes); }

QByteArray SavedForm(const QString &path, const QStringList &lines, const QString &password)
{
    const QByteArray text = TextForm(lines);
    return IsPlainName(path) ? text : EncryptConsultation(text, password);
}

std::optional<QStringList> OpenedLines(const QString &path, QByteArrayView stored, const QString &password)
{
    if (IsPlainName(path))
        return ReadPlainLines(stored);
    const std::optional<QByteArray> body = DecryptConsultation(stored.toByteArray(), password);
    if (!body)
        return std::nullopt;
    return ReadDecryptedLines(*body);
}

} // namespace ConsultationFile
