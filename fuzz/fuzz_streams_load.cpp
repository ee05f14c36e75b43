// Loading a stream container from untrusted bytes. The container's key is
// fixed ("fuzz key"), so that encrypted seeds decrypt and their inner images
// get mutated through the cipher too.
// Checks that loading only ever ends in success, ECorruptFile (with OnCorrupt
// told first, the entries untouched) or the read error; that a loaded
// container takes the form of the file; and that whatever loads is saved and
// read back to the same entries. The re-save leaves out compression: the
// compressor is no reader of outside bytes, and it would take most of the
// time here (the unit tests round-trip all four forms).

#include "notes/HKStreamCol.h"
#include <QBuffer>
#include <cstdlib>

namespace {

using Contents = QList<std::pair<QByteArray, QByteArray>>;

Contents ContentsOf(const THKStreams &streams)
{
    Contents out;
    for (const QByteArray &name : streams.Names()) {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!streams.GetStream(name, buffer))
            std::abort();
        out.append({name, data});
    }
    return out;
}

void Load(THKStreams &streams, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    streams.LoadFromStream(buffer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    THKStreams streams;
    streams.setKey("fuzz key");
    QBuffer before;
    before.setData("earlier");
    before.open(QIODevice::ReadOnly);
    streams.AddStream("kept", &before);

    int corruptCalls = 0;
    streams.OnCorrupt = [&](THKStreams &sender) {
        if (&sender != &streams || sender.Count() != 1)
            std::abort();
        ++corruptCalls;
    };
    try {
        Load(streams, file);
    } catch (const ECorruptFile &e) {
        if (corruptCalls != 1 || e.message() != StreamMessages::kCorrupt || streams.Count() != 1)
            std::abort();
        return 0;
    } catch (const EReadError &) {
        return 0;
    }
    if (corruptCalls != 0)
        std::abort();

    if (streams.Compressed() != (file.at(0) == '&') || streams.Encrypted() != (file.at(1) == '*'))
        std::abort();

    // The fixed key is accepted by the cipher, so every loaded form saves.
    const Contents loaded = ContentsOf(streams);
    streams.setCompressed(false);
    const QByteArray saved = streams.ContainerBytes();
    if (saved.at(0) != ' ' || saved.at(1) != (streams.Encrypted() ? '*' : ' '))
        std::abort();
    THKStreams back;
    back.setKey(streams.Key());
    Load(back, saved);
    if (ContentsOf(back) != loaded || back.Compressed() || back.Encrypted() != streams.Encrypted())
        std::abort();
    return 0;
}
