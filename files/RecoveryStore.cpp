#include "files/RecoveryStore.h"
#include "files/ConsultationFile.h"
#include "files/PasswordRules.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>

namespace {

// The header is a few lines of ASCII, so that a damaged copy can still be
// looked at by hand: names and paths are percent-encoded UTF-8.
constexpr char kMagic[] = "Zendra obnova 1";
constexpr char kName[] = "name ";
constexpr char kFile[] = "file ";
constexpr char kWritten[] = "written ";
constexpr char kForm[] = "form ";
constexpr char kPlain[] = "plain";
constexpr char kEncrypted[] = "encrypted";

const QString kMarkSuffix = QStringLiteral(".lock");
constexpr auto kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QByteArray Utf8Text(const QStringList &lines)
{
    QByteArray text;
    for (const QString &line : lines)
        text += line.toUtf8() + '\n';
    return text;
}

QStringList LinesOfUtf8(QByteArrayView text)
{
    QStringList lines = QString::fromUtf8(text).split(u'\n');
    // Every line ends with a line feed; a last line without one is kept.
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Decrypted content ends with n bytes of 1 and the byte n (1..8).
std::optional<QByteArrayView> WithoutPadding(QByteArrayView content)
{
    if (content.isEmpty())
        return std::nullopt;
    const int n = static_cast<unsigned char>(content.back());
    if (n < 1 || n > 8 || content.size() < n + 1)
        return std::nullopt;
    for (int i = 0; i < n; ++i)
        if (content[content.size() - 2 - i] != 1)
            return std::nullopt;
    return content.first(content.size() - n - 1);
}

// Takes the next header line: with a value, one that starts with the key
// (its rest goes to *value); without, one that is exactly the key.
bool TakeField(QByteArrayView &bytes, const char *key, QByteArrayView *value)
{
    const qsizetype end = bytes.indexOf('\n');
    if (end < 0)
        return false;
    const QByteArrayView line = bytes.first(end);
    bytes = bytes.sliced(end + 1);
    const QByteArrayView k(key);
    if (!value)
        return line == k;
    if (!line.startsWith(k))
        return false;
    *value = line.sliced(k.size());
    return true;
}

QString SessionOfFile(const QString &fileName, int *slot)
{
    if (!fileName.endsWith(Recovery::kSuffix))
        return QString();
    const QString stem = fileName.chopped(Recovery::kSuffix.size());
    const qsizetype dash = stem.lastIndexOf(u'-');
    bool ok = false;
    const int k = dash > 0 ? stem.sliced(dash + 1).toInt(&ok) : 0;
    if (!ok)
        return QString();
    if (slot)
        *slot = k;
    return stem.first(dash);
}

std::unique_ptr<QLockFile> MarkOf(const QString &folder, const QString &session)
{
    auto mark = std::make_unique<QLockFile>(QDir(folder).filePath(session + kMarkSuffix));
    // Only a dead owner makes a mark stale, never its age: a consultation
    // may stay open for days.
    mark->setStaleLockTime(0);
    return mark;
}

} // namespace

namespace Recovery {

bool NeedsEncryption(const QString &fileName)
{
    return !fileName.isEmpty() && !ConsultationFile::IsPlainName(fileName);
}

std::optional<QByteArray> FileBytes(const RecoveryCopy &copy, const QDateTime &written)
{
    const bool encrypted = NeedsEncryption(copy.fileName);
    QByteArray body = Utf8Text(copy.lines);
    if (encrypted) {
        if (copy.password.isEmpty())
            return std::nullopt;
        try {
            body = EncryptConsultation(body, copy.password);
        } catch (const EPasswordRefused &) {
            return std::nullopt; // never the text unencrypted instead
        }
    }
    QByteArray bytes = QByteArray(kMagic) + '\n';
    bytes += kName + QUrl::toPercentEncoding(copy.name) + '\n';
    bytes += kFile + QUrl::toPercentEncoding(copy.fileName) + '\n';
    bytes += kWritten + written.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    bytes += QByteArray(kForm) + (encrypted ? kEncrypted : kPlain) + '\n';
    bytes += '\n';
    return bytes + body;
}

std::optional<RecoveryFile> ParseFile(QByteArrayView bytes)
{
    QByteArrayView name, file, written, form;
    if (!TakeField(bytes, kMagic, nullptr) || !TakeField(bytes, kName, &name) || !TakeField(bytes, kFile, &file)
        || !TakeField(bytes, kWritten, &written) || !TakeField(bytes, kForm, &form)
        || !TakeField(bytes, "", nullptr))
        return std::nullopt;
    RecoveryFile out;
    out.name = QString::fromUtf8(QByteArray::fromPercentEncoding(name.toByteArray()));
    out.fileName = QString::fromUtf8(QByteArray::fromPercentEncoding(file.toByteArray()));
    out.written = QDateTime::fromString(QString::fromLatin1(written), Qt::ISODateWithMs).toUTC();
    if (form == kEncrypted)
        out.encrypted = true;
    else if (form != kPlain)
        return std::nullopt;
    // A copy that claims to be plain while its binding asks for encryption
    // was not written by us: refuse it rather than trust either half.
    if (out.encrypted != NeedsEncryption(out.fileName))
        return std::nullopt;
    out.body = bytes.toByteArray();
    return out;
}

std::optional<QStringList> Lines(const RecoveryFile &file, const QString &password)
{
    if (!file.encrypted)
        return LinesOfUtf8(file.body);
    const std::optional<QByteArray> content = DecryptConsultation(file.body, password);
    if (!content)
        return std::nullopt;
    const std::optional<QByteArrayView> text = WithoutPadding(*content);
    if (!text)
        return std::nullopt;
    return LinesOfUtf8(*text);
}

} // namespace Recovery

RecoveryStore::RecoveryStore(const QString &folder) : m_folder(folder)
{
    QDir().mkpath(m_folder);
    QFile::setPermissions(m_folder, kOwnerOnly | QFileDevice::ExeOwner);
    m_session = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmsszzz")) + u'-'
                + QString::number(QCoreApplication::applicationPid());
    m_mark = MarkOf(m_folder, m_session);
    m_mark->tryLock(0);
}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::DefaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("obnova"));
}

bool RecoveryStore::isRunning() const { return m_mark && m_mark->isLocked(); }

QString RecoveryStore::pathOf(int slot) const
{
    return QDir(m_folder).filePath(m_session + u'-' + QString::number(slot) + Recovery::kSuffix);
}

void RecoveryStore::keep(int slot, const RecoveryCopy &copy)
{
    if (!isRunning())
        return; // after a clean close nothing may be left behind
    const auto kept = m_kept.constFind(slot);
    if (kept != m_kept.cend() && *kept == copy)
        return;
    const std::optional<QByteArray> bytes = Recovery::FileBytes(copy, QDateTime::currentDateTimeUtc());
    if (!bytes) {
        drop(slot);
        return;
    }
    const QString path = pathOf(slot);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw EFileError(QStringLiteral("Soubor %1 nelze vytvořit: %2").arg(path, f.errorString()));
    // Narrowed before the first byte goes in; the rename keeps it.
    f.setPermissions(kOwnerOnly);
    if (f.write(*bytes) != bytes->size() || !f.commit())
        throw EFileError(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(path, f.errorString()));
    m_kept.insert(slot, copy);
}

void RecoveryStore::drop(int slot)
{
    if (m_kept.remove(slot))
        QFile::remove(pathOf(slot));
}

void RecoveryStore::closeCleanly()
{
    if (!isRunning())
        return;
    m_kept.clear();
    const QDir dir(m_folder);
    for (const QString &name : dir.entryList({m_session + QStringLiteral("-*") + Recovery::kSuffix}, QDir::Files))
        QFile::remove(dir.filePath(name));
    m_mark->unlock();
}

QList<RecoveryFile> RecoveryStore::claimAbandoned()
{
    const QDir dir(m_folder);
    QList<RecoveryFile> found;
    QStringList refused; // sessions still running
    QStringList claimed;
    for (const std::unique_ptr<QLockFile> &claim : m_claims)
        claimed << QFileInfo(claim->fileName()).completeBaseName();
    // Matched by hand: a name filter would compile a pattern at every start.
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        if (!name.endsWith(Recovery::kSuffix, Qt::CaseInsensitive))
            continue;
        const QString session = SessionOfFile(name, nullptr);
        if (session.isEmpty() || session == m_session || refused.contains(session))
            continue;
        if (!claimed.contains(session)) {
            std::unique_ptr<QLockFile> claim = MarkOf(m_folder, session);
            if (!claim->tryLock(0)) {
                refused << session;
                continue;
            }
            m_claims.push_back(std::move(claim));
            claimed << session;
        }
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        std::optional<RecoveryFile> copy = Recovery::ParseFile(f.readAll());
        if (!copy)
            continue;
        copy->path = f.fileName();
        found << *copy;
    }
    // Marks of sessions that died before they kept anything: nothing to
    // offer, so they only go.
    for (const QString &name : dir.entryList(QDir::Files)) {
        if (!name.endsWith(kMarkSuffix, Qt::CaseInsensitive))
            continue;
        const QString session = name.chopped(kMarkSuffix.size());
        if (session == m_session || refused.contains(session) || claimed.contains(session))
            continue;
        MarkOf(m_folder, session)->tryLock(0); // unlocked, and so removed, as it goes out of scope
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const RecoveryFile &a, const RecoveryFile &b) { return a.written < b.written; });
    return found;
}

void RecoveryStore::forget(const RecoveryFile &file)
{
    if (!file.path.isEmpty())
        QFile::remove(file.path);
}

void RecoveryStore::releaseClaims() { m_claims.clear(); }
