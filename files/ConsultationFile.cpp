#include "files/ConsultationFile.h"
#include "files/CodePage.h"
#include "files/PasswordRules.h"
#include <QFile>
#include <QSaveFile>

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

QStringList ReadLines(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes = bytes.first(nul);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines << CodePage::Decode(bytes.sliced(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << CodePage::Decode(bytes.sliced(start));
    return lines;
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

void WriteFile(const QString &path, QByteArrayView bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw EFileError(QStringLiteral("Soubor %1 nelze vytvořit: %2").arg(path, f.errorString()));
    if (f.write(bytes.data(), bytes.size()) != bytes.size() || !f.commit())
        throw EFileError(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(path, f.errorString()));
}

QByteArray SavedForm(const QString &path, const QStringList &lines, const QString &password)
{
    const QByteArray text = TextForm(lines);
    return IsPlainName(path) ? text : EncryptConsultation(text, password);
}

std::optional<QStringList> OpenedLines(const QString &path, QByteArrayView stored, const QString &password)
{
    if (IsPlainName(path))
        return ReadLines(stored);
    const std::optional<QByteArray> body = DecryptConsultation(stored.toByteArray(), password);
    if (!body)
        return std::nullopt;
    return ReadDecryptedLines(*body);
}

} // namespace ConsultationFile
