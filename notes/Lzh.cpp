// LzhCompress and LzhExpand on devices and on memory buffers: thin ends
// that feed the coder and decoder in pieces of 8 KiB (devices) or lend them
// the whole buffer at once (memory).

#include "notes/Lzh.h"
#include "notes/LzhDecoder.h"
#include "notes/LzhEncoder.h"
#include "notes/LzhFormat.h"
#include <QIODevice>
#include <cstring>
#include <stdexcept>

namespace {

using lzh::kIoBufferBytes;

class DeviceSource : public lzh::ByteSource {
public:
    DeviceSource(QIODevice &device, qint64 limit) : m_device(device), m_left(limit) {}

    qsizetype Read(std::uint8_t *to, qsizetype max) override
    {
        max = qMin<qint64>(max, m_left);
        if (max <= 0)
            return 0;
        const qint64 n = m_device.read(reinterpret_cast<char *>(to), max);
        if (n < 0)
            throw std::runtime_error("Stream read error");
        m_left -= n;
        return qsizetype(n);
    }

    qsizetype NextPiece(const std::uint8_t *&piece) override
    {
        piece = m_buffer;
        return Read(m_buffer, kIoBufferBytes);
    }

private:
    QIODevice &m_device;
    qint64 m_left;
    std::uint8_t m_buffer[kIoBufferBytes];
};

class DeviceSink : public lzh::ByteSink {
public:
    explicit DeviceSink(QIODevice &device) : m_device(device) {}
    void Write(const std::uint8_t *from, qsizetype count) override
    {
        if (m_device.write(reinterpret_cast<const char *>(from), count) != count)
            throw std::runtime_error("Stream write error");
    }

private:
    QIODevice &m_device;
};

class MemorySource : public lzh::ByteSource {
public:
    explicit MemorySource(QByteArrayView bytes)
        : m_at(reinterpret_cast<const std::uint8_t *>(bytes.data())), m_left(bytes.size())
    {
    }
    qsizetype Read(std::uint8_t *to, qsizetype max) override
    {
        const qsizetype n = qMin(max, m_left);
        if (n > 0)
            std::memcpy(to, m_at, std::size_t(n));
        m_at += n;
        m_left -= n;
        return n;
    }
    qsizetype NextPiece(const std::uint8_t *&piece) override
    {
        piece = m_at;
        const qsizetype n = m_left;
        m_at += n;
        m_left = 0;
        return n;
    }

private:
    const std::uint8_t *m_at;
    qsizetype m_left;
};

class MemorySink : public lzh::ByteSink {
public:
    explicit MemorySink(QByteArray &bytes) : m_bytes(bytes) {}
    void Write(const std::uint8_t *from, qsizetype count) override
    {
        m_bytes.append(reinterpret_cast<const char *>(from), count);
    }

private:
    QByteArray &m_bytes;
};

// The size a stream declares, to reserve the output once; capped, since a
// damaged header may declare far more than the stream yields.
qsizetype DeclaredSize(QByteArrayView stream)
{
    if (stream.size() < lzh::kHeaderBytes)
        return 0;
    const auto *p = reinterpret_cast<const std::uint8_t *>(stream.data());
    const qint32 size = qint32(quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24);
    return qBound(qsizetype(0), qsizetype(size), 64 * stream.size() + 65536);
}

} // namespace

void LzhCompress(QIODevice &source, QIODevice &dest)
{
    const qint64 size = qMax<qint64>(0, source.size() - source.pos());
    DeviceSource in(source, size);
    DeviceSink out(dest);
    lzh::EncodeStream(in, size, out);
}

void LzhExpand(QIODevice &source, QIODevice &dest)
{
    DeviceSource in(source, qMax<qint64>(0, source.size() - source.pos()));
    DeviceSink out(dest);
    lzh::DecodeStream(in, out);
}

QByteArray LzhCompressBytes(QByteArrayView input)
{
    QByteArray result;
    result.reserve(input.size() / 2 + 64);
    MemorySource in(input);
    MemorySink out(result);
    lzh::EncodeStream(in, input.size(), out);
    return result;
}

QByteArray LzhCompressBytesWithTrie(QByteArrayView input)
{
    QByteArray result;
    result.reserve(input.size() / 2 + 64);
    MemorySource in(input);
    MemorySink out(result);
    lzh::EncodeStreamWithTrie(in, input.size(), out);
    return result;
}

QByteArray LzhExpandBytes(QByteArrayView stream)
{
    QByteArray result;
    result.reserve(DeclaredSize(stream));
    MemorySource in(stream);
    MemorySink out(result);
    lzh::DecodeStream(in, out);
    return result;
}
