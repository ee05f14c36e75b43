#include "tools/FileSearch.h"
#include "files/ConsultationFile.h"
#include "files/PasswordRules.h"
#include "reading/MarkerLine.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

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

QString PlainFileText(QByteArrayView bytes) { return EditorText(ConsultationFile::ReadLines(bytes)); }

std::optional<QString> ProtectedFileText(QByteArrayView stored, const QString &key)
{
    const std::optional<QByteArray> body = DecryptConsultation(stored.toByteArray(), key);
    if (!body)
        return std::nullopt;
    return EditorText(ConsultationFile::ReadDecryptedLines(*body));
}

std::optional<QByteArray> ReadCandidateFile(const QString &path)
{
    // A folder opens on some systems and reads as nothing; it is no file.
    if (QFileInfo(path).isDir())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestCandidateBytes)
        return std::nullopt;
    QByteArray bytes = file.read(kLargestCandidateBytes + 1);
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
