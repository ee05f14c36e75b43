#pragma once
// The lh5 decoder behind LzhExpand.

#include "notes/LzhIo.h"

namespace lzh {

// Reads a compressed stream (four-byte size, then the lh5 bit stream) from
// `source` and writes exactly the declared number of bytes to `sink`.
// Throws ECorruptFile ("Compressed file is corrupt") on a damaged stream.
void DecodeStream(ByteSource &source, ByteSink &sink);

} // namespace lzh
