#pragma once
// The byte ends of the coder and decoder. They are handed pieces of a few
// kilobytes at a time, so one virtual call per piece costs nothing, and the
// same coder serves both devices and memory buffers.

#include <QtGlobal>
#include <cstdint>

namespace lzh {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies up to max bytes to `to`; returns how many (0 at the end).
    virtual qsizetype Read(std::uint8_t *to, qsizetype max) = 0;
    // Lends the next piece of input without copying; an empty piece means the
    // end. The piece stays valid until the next call.
    virtual qsizetype NextPiece(const std::uint8_t *&piece) = 0;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Write(const std::uint8_t *from, qsizetype count) = 0;
};

} // namespace lzh
