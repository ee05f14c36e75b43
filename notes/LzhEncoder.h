#pragma once
// The lh5 coder behind LzhCompress.

#include "notes/LzhIo.h"

namespace lzh {

// Writes the compressed stream of the next `size` bytes of `source` (size
// 0 .. 2^31 - 1): the four-byte size, then the lh5 bit stream. Throws
// std::runtime_error when the source ends before `size` bytes.
void EncodeStream(ByteSource &source, qint64 size, ByteSink &sink);
// The same stream through PatriciaMatchFinder, the original finder that the
// faster one must match position for position; for tests and fuzzing.
void EncodeStreamWithTrie(ByteSource &source, qint64 size, ByteSink &sink);

} // namespace lzh
