// A "*.txt" file read for the journal: reading only its first lines gives the
// entry that all of its lines give, whatever the bytes, and the fairness
// figures of any counts stay in range.
#include "files/ConsultationFile.h"
#include "tools/Journal.h"
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const QString path = QStringLiteral("a.txt");
    const Journal::FileResult r = Journal::ReadEntry(path, path, bytes, QString());
    const std::optional<Journal::Entry> whole = Journal::EntryOfLines(ConsultationFile::ReadPlainLines(bytes));
    if ((r.outcome == Journal::Outcome::Read) != whole.has_value())
        std::abort();
    if (r.outcome != Journal::Outcome::Read && r.outcome != Journal::Outcome::NoMarker)
        std::abort();
    if (whole) {
        const Journal::Entry &e = r.entry;
        if (e.header != whole->header || e.question != whole->question || e.when != whole->when
            || !(e.cast == whole->cast) || e.hexagram != whole->hexagram || e.developing != whole->developing
            || e.hexagram < 1 || e.hexagram > 64 || e.developing < 0 || e.developing > 64)
            std::abort();
    }

    if (size >= sizeof(Journal::ValueCounts)) {
        Journal::ValueCounts counts;
        std::memcpy(counts.data(), data, sizeof counts);
        for (qint64 &c : counts)
            c = (c < 0 ? -(c + 1) : c) >> 16; // counts of any size, no sum overflow
        const Journal::Fairness f = Journal::FairnessOf(counts);
        if (!(f.chi2 >= 0) || !std::isfinite(f.chi2) || !(f.p >= 0 && f.p <= 1) || f.sentence.isEmpty())
            std::abort();
    }
    return 0;
}
