#include "notes/HKStreamCol.h"
#include "files/FileCipher.h"
#include "files/PasswordRules.h"
#include "files/SaveTarget.h"
#include "notes/Lzh.h"
#include <QFile>
#include <QIODevice>
#include <QStringDecoder>
#include <QtEndian>
#include <array>
#include <cstring>

EFOpenError::EFOpenError(const QString &fileName, const QString &reason)
    : EStreamError(StreamMessages::kOpen.arg(fileName), reason) {}
EFCreateError::EFCreateError(const QString &fileName, const QString &reason)
    : EStreamError(StreamMessages::kCreate.arg(fileName), reason) {}
EReadError::EReadError(const QString &reason) : EStreamError(StreamMessages::kRead, reason) {}
EWriteError::EWriteError(const QString &reason) : EStreamError(StreamMessages::kWrite, reason) {}

namespace {

// The uncompressed size at the head of a compressed stream.
constexpr qsizetype kSizeHeaderBytes = 4;

// The characters of the 256 bytes in Windows-1250. A byte the code page
// leaves undefined keeps a character of its own (its Latin-1 one), so that
// two different names never fold to one key.
const std::array<char16_t, 256> &CodePageCharacters()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[b] = char16_t(b);
        QStringDecoder decode("windows-1250");
        if (!decode.isValid())
            return t;
        for (int b = 0x80; b < 256; ++b) {
            const char byte = char(b);
            const QString ch = decode.decode(QByteArrayView(&byte, 1));
            if (ch.size() == 1 && ch.at(0) != QChar::ReplacementCharacter)
                t[b] = ch.at(0).unicode();
        }
        return t;
    }();
    return table;
}

// Reads the inner image front to back; running out of bytes is the read
// error of the stream.
class ImageReader {
public:
    explicit ImageReader(const QByteArray &image) : m_image(image) {}

    qsizetype Left() const { return m_image.size() - m_at; }

    QByteArray Bytes(qsizetype n)
    {
        if (n < 0 || n > Left())
            throw EReadError();
        QByteArray out = m_image.mid(m_at, n);
        m_at += n;
        return out;
    }

    void Skip(qsizetype n)
    {
        if (n < 0 || n > Left())
            throw EReadError();
        m_at += n;
    }

    std::uint32_t LittleEndian(int width)
    {
        if (width > Left())
            throw EReadError();
        std::uint32_t v = 0;
        for (int i = width - 1; i >= 0; --i)
            v = v << 8 | std::uint8_t(m_image[m_at + i]);
        m_at += width;
        return v;
    }

private:
    const QByteArray &m_image;
    qsizetype m_at = 0;
};

void AppendLittleEndian(QByteArray &out, std::uint32_t v, int width)
{
    for (int i = 0; i < width; ++i)
        out.append(char(std::uint8_t(v >> (8 * i))));
}

bool HasSignature(const QByteArray &bytes)
{
    return bytes.size() >= THKStreams::kSignatureBytes
        && std::memcmp(bytes.constData(), THKStreams::kSignature, THKStreams::kSignatureBytes) == 0;
}

// The password rules' messages fit a container key as well.
void RefuseUnusableKey(const QByteArray &key)
{
    if (key.isEmpty())
        throw EPasswordRefused(PasswordMessages::kNotEntered);
    if (key.size() % FileCipher::kKeyLengthModulus == 0)
        throw EPasswordRefused(PasswordMessages::kLengthMultipleOf256);
    if (!IsCipherKeyAccepted(key))
        throw EPasswordRefused(PasswordMessages::kWeakKey);
}

} // namespace

QString THKStreams::OrderKey(const QByteArray &name)
{
    const auto &chars = CodePageCharacters();
    QString key(name.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < name.size(); ++i)
        key[i] = QChar(chars[std::uint8_t(name[i])]);
    return key.toCaseFolded();
}

void THKStreams::Store(const QByteArray &name, QByteArray data)
{
    const QString key = OrderKey(name);
    auto it = m_entries.find(key);
    if (it != m_entries.end())
        it->second.data = std::move(data); // the first spelling of the name stays
    else
        m_entries.emplace(key, Entry{name, std::move(data)});
}

bool THKStreams::AddStream(const QByteArray &name, QIODevice *stream)
{
    if (name.isEmpty() || name.size() > kLongestName || !stream)
        return false;
    if (!stream->isSequential())
        stream->seek(0);
    QByteArray data = stream->readAll();
    if (data.size() > kLargestData)
        return false;
    Store(name, std::move(data));
    return true;
}

bool THKStreams::GetStream(const QByteArray &name, QIODevice &stream) const
{
    if (name.isEmpty())
        return false;
    const auto it = m_entries.find(OrderKey(name));
    const bool found = it != m_entries.end();
    if (found && stream.write(it->second.data) != it->second.data.size())
        throw EWriteError();
    stream.seek(0);
    return found;
}

QList<QByteArray> THKStreams::Names() const
{
    QList<QByteArray> names;
    names.reserve(Count());
    for (const auto &[key, entry] : m_entries)
        names.append(entry.name);
    return names;
}

QByteArray THKStreams::ContainerBytes() const
{
    const bool encrypt = m_encrypted;
    if (encrypt)
        RefuseUnusableKey(m_key);

    QByteArray image(kSignature, kSignatureBytes);
    AppendLittleEndian(image, std::uint32_t(m_entries.size()), 4);
    for (const auto &[key, entry] : m_entries) {
        AppendLittleEndian(image, std::uint32_t(entry.name.size()), 2);
        image.append(entry.name);
        AppendLittleEndian(image, std::uint32_t(entry.data.size()), 4);
        image.append(entry.data);
    }

    if (m_compressed && image.size() > kLargestCompressedImage)
        throw EStreamError(StreamMessages::kTooLargeToCompress);
    QByteArray payload = m_compressed ? LzhCompressBytes(image) : std::move(image);
    if (encrypt && !EncryptStream(payload, m_key))
        throw EPasswordRefused(PasswordMessages::kWeakKey); // checked above; never plain under "*"

    QByteArray out;
    out.reserve(kFlagBytes + payload.size());
    out.append(m_compressed ? kCompressedFlag : kPlainFlag);
    out.append(encrypt ? kEncryptedFlag : kPlainFlag);
    out.append(payload);
    return out;
}

void THKStreams::SaveToStream(QIODevice &dest) const
{
    const QByteArray bytes = ContainerBytes();
    if (dest.write(bytes) != bytes.size())
        throw EWriteError();
}

void THKStreams::SaveToFile(const QString &fileName) const
{
    const QByteArray bytes = ContainerBytes();
    const std::unique_ptr<SaveTarget> file = MakeSaveTarget(fileName);
    if (!file->open())
        throw EFCreateError(fileName, file->errorString());
    if (file->device().write(bytes) != bytes.size())
        throw EWriteError(file->errorString()); // the target drops its temporary file
    if (!file->commit())
        throw EFCreateError(fileName, file->errorString());
}

void THKStreams::Corrupt()
{
    if (OnCorrupt)
        OnCorrupt(*this);
    throw ECorruptFile(StreamMessages::kCorrupt);
}

void THKStreams::LoadFromStream(QIODevice &source)
{
    if (!source.isSequential())
        source.seek(0);
    LoadFromBytes(source.readAll());
}

void THKStreams::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(fileName, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EReadError(file.errorString());
    LoadFromBytes(bytes);
}

void THKStreams::LoadFromBytes(const QByteArray &file)
{
    QByteArray key = m_key;
    const bool compressed = file.size() > 0 && file[0] == kCompressedFlag;
    const bool encrypted = file.size() > 1 && file[1] == kEncryptedFlag;
    QByteArray payload = file.mid(kFlagBytes);

    if (encrypted) {
        if (OnAskForKey) {
            // An owner that cannot give a key fails the load like a wrong key.
            try {
                key = OnAskForKey(*this);
            } catch (const std::exception &) {
                Corrupt();
            }
        }
        // A key with no usable cycle cannot decrypt anything. A key that only
        // fails the weak-key test was never used to encrypt either: such
        // containers hold their payload as it was, and the signature decides.
        if (key.size() % FileCipher::kKeyLengthModulus == 0)
            Corrupt();
        DecryptStream(payload, key);
    }
    if (!compressed && !HasSignature(payload))
        Corrupt();

    QByteArray image;
    if (compressed) {
        if (payload.size() < kSizeHeaderBytes)
            Corrupt();
        const auto declared = qFromLittleEndian<qint32>(payload.constData());
        if (declared < 0 || declared > kLargestCompressedImage)
            Corrupt();
        try {
            image = LzhExpandBytes(payload);
        } catch (const std::exception &) {
            Corrupt();
        }
    } else {
        image = std::move(payload);
    }
    if (!HasSignature(image))
        Corrupt();
    ReadInnerImage(image);

    m_key = key;
    m_compressed = compressed;
    m_encrypted = encrypted;
}

void THKStreams::ReadInnerImage(const QByteArray &image)
{
    ImageReader in(image);
    in.Skip(kSignatureBytes);
    const auto count = qint32(in.LittleEndian(4));
    // Every entry takes at least six bytes, so a count the rest cannot hold
    // is known to be false before a single entry is made for it.
    if (count < 0 || count > in.Left() / kSmallestEntryBytes)
        throw EReadError();

    ClearStreams();
    for (qint32 i = 0; i < count; ++i) {
        const QByteArray name = in.Bytes(in.LittleEndian(2));
        const auto size = qint32(in.LittleEndian(4));
        QByteArray data = in.Bytes(size); // a negative or overlong size is a read error
        if (!name.isEmpty())
            Store(name, std::move(data));
    }
}
