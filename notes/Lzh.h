#pragma once
// lh5 compression: a four-byte little-endian uncompressed size, then the lh5
// bit stream of the rest of the source.

#include "notes/CorruptFile.h"
#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

// Compresses the source from its current position to its end and appends
// the compressed stream to dest at its current position.
void LzhCompress(QIODevice &source, QIODevice &dest);
// Reads a compressed stream from the source's current position to its end
// and writes exactly the uncompressed size to dest. Throws ECorruptFile
// ("Compressed file is corrupt") on a damaged stream.
void LzhExpand(QIODevice &source, QIODevice &dest);

// The same on whole buffers.
QByteArray LzhCompressBytes(QByteArrayView input);
QByteArray LzhExpandBytes(QByteArrayView stream);
// LzhCompressBytes through the original trie match finder, whose output the
// faster one must reproduce byte for byte; for tests and fuzzing.
QByteArray LzhCompressBytesWithTrie(QByteArrayView input);
