// The stream container: the bytes it saves, the forms it reads back, and what
// damaged or short containers do to the entries it holds.

#include "files/FileCipher.h"
#include "files/PasswordRules.h"
#include "notes/HKStreamCol.h"
#include "notes/Lzh.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

using Entries = QList<QPair<QByteArray, QByteArray>>;

// Refused by the cipher's weak-key test (see bench/bench_weak_keys.cpp).
const QByteArray kWeakKey = "heslo31495";
// "tajné heslo" in Windows-1250.
const QByteArray kKey = "taj\xE9 heslo";

QByteArray Hex(const char *hex) { return QByteArray::fromHex(hex); }

void Add(THKStreams &streams, const QByteArray &name, QByteArray data)
{
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QVERIFY(streams.AddStream(name, &buffer));
}

void AddAll(THKStreams &streams, const Entries &entries)
{
    for (const auto &[name, data] : entries)
        Add(streams, name, data);
}

Entries Contents(const THKStreams &streams)
{
    Entries out;
    for (const QByteArray &name : streams.Names()) {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        streams.GetStream(name, buffer);
        out.append({name, data});
    }
    return out;
}

QByteArray Save(const THKStreams &streams)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    streams.SaveToStream(buffer);
    return bytes;
}

void Load(THKStreams &streams, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    streams.LoadFromStream(buffer);
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The inner image of entries given in container order.
QByteArray Image(const Entries &entries)
{
    QByteArray image("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
    const auto le = [&](quint32 v, int width) {
        for (int i = 0; i < width; ++i)
            image.append(char(v >> (8 * i)));
    };
    le(quint32(entries.size()), 4);
    for (const auto &[name, data] : entries) {
        le(quint32(name.size()), 2);
        image += name;
        le(quint32(data.size()), 4);
        image += data;
    }
    return image;
}

QByteArray RandomBytes(qsizetype n, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray out(n, Qt::Uninitialized);
    for (char &c : out)
        c = char(random.bounded(256));
    return out;
}

// Some notes with Czech names and text, a binary entry, an empty one and a
// long one that takes the compressor through several blocks.
Entries Notes()
{
    QByteArray longText;
    for (int i = 0; i < 4000; ++i)
        longText += "       " + QByteArray::number(i % 64 + 1) + ". Hexagram:  \x8Elu\x9Dou\xE8k\xFD k\xF9\xF2\r\n";
    longText += RandomBytes(20000, 7);
    return {{"777777", "       1. Hexagram:  Tvo\xF8iv\xE9.\r\n"},
            {"888888", ""},
            {"binary", RandomBytes(300, 1)},
            {"long", longText},
            {"\x8Elu\xBBou\xE8k\xFD", "k\xF9\xF2"}};
}

} // namespace

class TestStreams : public QObject {
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void addStreamCopiesTheWholeStream();
    void addStreamIgnoresWhatItCannotStore();
    void getStream_data();
    void getStream();
    void roundTrip_data();
    void roundTrip();
    void formKeptAfterLoading_data();
    void formKeptAfterLoading();
    void encryptedPadding();
    void unknownFlagsReadAsPlain();
    void keyAskedFromTheOwner();
    void corrupt_data();
    void corrupt();
    void readErrors_data();
    void readErrors();
    void unusableKeyRefusedBeforeWriting_data();
    void unusableKeyRefusedBeforeWriting();
    void weakKeyContainerReadsAsItIs();
    void compressedContentLimit();
    void files();
};

void TestStreams::layout_data()
{
    QTest::addColumn<Entries>("stored"); // in the order of storing
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << Entries{} << Hex("2020 0102030405060708 00000000");
    QTest::newRow("777777") << Entries{{"777777", "ab"}}
                            << Hex("2020 0102030405060708 01000000 0600 373737373737 02000000 6162");
    QTest::newRow("sorted without regard to case")
        << Entries{{"b", "1"}, {"C", "2"}, {"a", "3"}}
        << Hex("2020 0102030405060708 03000000"
               " 0100 61 01000000 33"
               " 0100 62 01000000 31"
               " 0100 43 01000000 32");
    QTest::newRow("equal name replaces, first spelling stays")
        << Entries{{"Ab", "1"}, {"x", "2"}, {"aB", "333"}}
        << Hex("2020 0102030405060708 02000000 0200 4162 03000000 333333 0100 78 01000000 32");
    QTest::newRow("Czech letters fold too") // "Č" and "č" in Windows-1250
        << Entries{{"\xC8", "1"}, {"\xE8", "2"}} << Hex("2020 0102030405060708 01000000 0100 c8 01000000 32");
    QTest::newRow("empty data") << Entries{{"x", ""}} << Hex("2020 0102030405060708 01000000 0100 78 00000000");
}

void TestStreams::layout()
{
    QFETCH(Entries, stored);
    QFETCH(QByteArray, bytes);
    THKStreams streams;
    streams.setCompressed(false);
    AddAll(streams, stored);
    QCOMPARE(Save(streams).toHex(' '), bytes.toHex(' '));
    QCOMPARE(streams.ContainerBytes(), bytes);
}

void TestStreams::addStreamCopiesTheWholeStream()
{
    QByteArray data = "0123456789";
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(4);
    THKStreams streams;
    QVERIFY(streams.AddStream("n", &buffer));
    QCOMPARE(buffer.pos(), 10);
    QCOMPARE(Contents(streams), (Entries{{"n", "0123456789"}}));
    // The container keeps its own copy.
    data = "changed";
    QCOMPARE(Contents(streams), (Entries{{"n", "0123456789"}}));
}

void TestStreams::addStreamIgnoresWhatItCannotStore()
{
    QByteArray data = "abc";
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    THKStreams streams;
    QVERIFY(!streams.AddStream("", &buffer));
    QVERIFY(!streams.AddStream("n", nullptr));
    // The name length is a 16-bit field.
    QVERIFY(!streams.AddStream(QByteArray(0x10000, 'n'), &buffer));
    QCOMPARE(streams.Count(), 0);
    QVERIFY(streams.AddStream(QByteArray(0xFFFF, 'n'), &buffer));
    THKStreams back;
    Load(back, Save(streams));
    QCOMPARE(Contents(back), Contents(streams));
}

void TestStreams::getStream_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<qint64>("position");
    QTest::newRow("appended at the position") << QByteArray("note") << true << QByteArray("head text") << qint64(0);
    QTest::newRow("other case") << QByteArray("NoTe") << true << QByteArray("head text") << qint64(0);
    QTest::newRow("missing rewinds, writes nothing") << QByteArray("nota") << false << QByteArray("head") << qint64(0);
    QTest::newRow("empty name leaves it alone") << QByteArray() << false << QByteArray("head") << qint64(4);
}

void TestStreams::getStream()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, found);
    QFETCH(QByteArray, after);
    QFETCH(qint64, position);
    THKStreams streams;
    Add(streams, "Note", " text");
    QByteArray data = "head";
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadWrite);
    buffer.seek(4);
    QCOMPARE(streams.GetStream(name, buffer), found);
    QCOMPARE(data, after);
    QCOMPARE(buffer.pos(), position);
}

void TestStreams::roundTrip_data()
{
    QTest::addColumn<bool>("compressed");
    QTest::addColumn<bool>("encrypted");
    QTest::addColumn<Entries>("entries");
    const QList<std::pair<const char *, Entries>> sets = {
        {"empty", {}}, {"one", {{"777777", "ab"}}}, {"notes", Notes()}};
    for (const auto &[setName, entries] : sets) {
        QTest::addRow("plain, %s", setName) << false << false << entries;
        QTest::addRow("compressed, %s", setName) << true << false << entries;
        QTest::addRow("encrypted, %s", setName) << false << true << entries;
        QTest::addRow("both, %s", setName) << true << true << entries;
    }
}

// Each form's bytes are checked layer by layer, and a container with the
// opposite settings reads them back.
void TestStreams::roundTrip()
{
    QFETCH(bool, compressed);
    QFETCH(bool, encrypted);
    QFETCH(Entries, entries);
    THKStreams streams;
    streams.setCompressed(compressed);
    streams.setEncrypted(encrypted);
    streams.setKey(kKey);
    AddAll(streams, entries);
    const Entries sorted = Contents(streams);
    const QByteArray image = Image(sorted);

    const QByteArray bytes = Save(streams);
    QCOMPARE(bytes.at(0), compressed ? '&' : ' ');
    QCOMPARE(bytes.at(1), encrypted ? '*' : ' ');
    QByteArray payload = bytes.mid(2);
    if (encrypted) {
        QCOMPARE(payload.size() % 8, 0);
        QVERIFY(DecryptStream(payload, kKey));
    }
    if (compressed) {
        const qint32 size = qFromLittleEndian<qint32>(payload.constData());
        QCOMPARE(size, image.size());
        QCOMPARE(LzhExpandBytes(payload), image);
    } else {
        QCOMPARE(payload.left(image.size()), image);
        QCOMPARE(payload.size(), encrypted ? image.size() + 8 - (image.size() % 8) : image.size());
    }

    THKStreams back;
    back.setCompressed(!compressed);
    back.setEncrypted(!encrypted);
    back.setKey(encrypted ? kKey : QByteArray("other"));
    Add(back, "old", "gone after loading");
    Load(back, bytes);
    QCOMPARE(Contents(back), sorted);
    QCOMPARE(back.Compressed(), compressed);
    QCOMPARE(back.Encrypted(), encrypted);
    // Saving again writes the same form; without compression even the same bytes.
    const QByteArray again = Save(back);
    QCOMPARE(again.left(2), bytes.left(2));
    if (!compressed)
        QCOMPARE(again, bytes);
}

void TestStreams::formKeptAfterLoading_data()
{
    QTest::addColumn<QByteArray>("flags");
    QTest::newRow("plain") << QByteArray("  ");
    QTest::newRow("compressed") << QByteArray("& ");
    QTest::newRow("encrypted") << QByteArray(" *");
    QTest::newRow("both") << QByteArray("&*");
}

// The notes window's container is set to plain; a file read in another form
// is written back in that form.
void TestStreams::formKeptAfterLoading()
{
    QFETCH(QByteArray, flags);
    THKStreams writer;
    writer.setCompressed(flags[0] == '&');
    writer.setEncrypted(flags[1] == '*');
    writer.setKey(kKey);
    Add(writer, "777777", "note");

    THKStreams notes;
    notes.setCompressed(false);
    notes.setEncrypted(false);
    notes.OnAskForKey = [](THKStreams &) { return kKey; };
    Load(notes, Save(writer));
    QCOMPARE(notes.Key(), flags[1] == '*' ? kKey : QByteArray());
    Add(notes, "888888", "another");
    const QByteArray saved = Save(notes);
    QCOMPARE(saved.left(2), flags);

    THKStreams reader;
    reader.setKey(kKey);
    Load(reader, saved);
    QCOMPARE(Contents(reader), (Entries{{"777777", "note"}, {"888888", "another"}}));
}

void TestStreams::encryptedPadding()
{
    // 12 bytes of head and 11 of entry: an image of 23 bytes takes a whole
    // block of padding, 8 bytes of 01 and the count 08.
    THKStreams streams;
    streams.setCompressed(false);
    streams.setEncrypted(true);
    streams.setKey(kKey);
    Add(streams, "n", "data");
    const QByteArray image = Image({{"n", "data"}});
    QCOMPARE(image.size(), 23);
    const QByteArray bytes = Save(streams);
    QCOMPARE(bytes.size(), 2 + 32);
    QByteArray payload = bytes.mid(2);
    QVERIFY(DecryptStream(payload, kKey));
    QCOMPARE(payload, image + Hex("0101010101010101 08"));
    // Electronic codebook: the encrypted blocks are the cipher's own.
    QByteArray expected = image + Hex("0101010101010101 08");
    FileCipher cipher;
    QVERIFY(cipher.CipherSetKey(kKey));
    cipher.EncryptBlocks(expected.data(), expected.size());
    QCOMPARE(bytes.mid(2), expected);
}

void TestStreams::unknownFlagsReadAsPlain()
{
    THKStreams streams;
    Load(streams, "x\x2B" + Image({{"a", "b"}}));
    QCOMPARE(Contents(streams), (Entries{{"a", "b"}}));
    QVERIFY(!streams.Compressed());
    QVERIFY(!streams.Encrypted());
    QCOMPARE(Save(streams).left(2), QByteArray("  "));
}

void TestStreams::keyAskedFromTheOwner()
{
    THKStreams writer;
    writer.setEncrypted(true);
    writer.setKey(kKey);
    Add(writer, "a", "b");
    const QByteArray bytes = Save(writer);

    THKStreams reader;
    reader.setKey("wrong");
    int asked = 0;
    reader.OnAskForKey = [&](THKStreams &sender) {
        ++asked;
        [&] { QCOMPARE(&sender, &reader); }();
        return kKey;
    };
    Load(reader, bytes);
    QCOMPARE(asked, 1);
    QCOMPARE(reader.Key(), kKey);
    QCOMPARE(Contents(reader), (Entries{{"a", "b"}}));

    // A plain container asks nothing and keeps the key.
    reader.setKey("kept");
    writer.setEncrypted(false);
    Load(reader, Save(writer));
    QCOMPARE(asked, 1);
    QCOMPARE(reader.Key(), QByteArray("kept"));

    // An owner that has no key to give fails the load as a damaged file.
    reader.OnAskForKey = [&](THKStreams &) -> QByteArray { throw std::runtime_error("Storno"); };
    int corrupt = 0;
    reader.OnCorrupt = [&](THKStreams &) { ++corrupt; };
    QVERIFY_THROWS_EXCEPTION(ECorruptFile, Load(reader, bytes));
    QCOMPARE(corrupt, 1);
    QCOMPARE(Contents(reader), (Entries{{"a", "b"}}));
}

void TestStreams::corrupt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("key"); // the loading container's key
    const QByteArray image = Image({{"new", "entry"}});

    QTest::newRow("empty file") << QByteArray() << kKey;
    QTest::newRow("flags only") << Hex("2020") << kKey;
    QTest::newRow("signature cut short") << Hex("2020 01020304050607") << kKey;
    QTest::newRow("wrong signature") << Hex("2020 0102030405060709 00000000") << kKey;

    THKStreams writer;
    writer.setCompressed(false);
    writer.setEncrypted(true);
    writer.setKey(kKey);
    Add(writer, "new", "entry");
    const QByteArray encrypted = Save(writer);
    QTest::newRow("wrong key") << encrypted << QByteArray("jin\xE9 heslo");
    QTest::newRow("key differs in case") << encrypted << QByteArray("TAJ\xC9 HESLO");
    QTest::newRow("no key") << encrypted << QByteArray();
    QTest::newRow("key of 256 bytes") << encrypted << QByteArray(256, 'k');
    QTest::newRow("encrypted flag on a short file") << Hex("202a 0102") << kKey;

    QTest::newRow("compressed, cut short") << Hex("2620 1700") << kKey;
    QTest::newRow("compressed, garbage") << "& " + RandomBytes(200, 3) << kKey;
    const QByteArray packed = LzhCompressBytes(image);
    const QByteArray packedNotes = LzhCompressBytes(Image(Notes()));
    QTest::newRow("compressed, stream cut in half") << "& " + packedNotes.left(packedNotes.size() / 2) << kKey;
    QTest::newRow("compressed, no signature inside") << "& " + LzhCompressBytes("not a container") << kKey;
    QByteArray tooLarge = packed;
    qToLittleEndian<qint32>(qint32(THKStreams::kLargestCompressedImage + 1), tooLarge.data());
    QTest::newRow("compressed, declares over 64 MiB") << "& " + tooLarge << kKey;
    QByteArray negative = packed;
    qToLittleEndian<qint32>(-1, negative.data());
    QTest::newRow("compressed, declares a negative size") << "& " + negative << kKey;
    QTest::newRow("plain flag on a compressed payload") << "  " + packed << kKey;
    writer.setCompressed(true);
    QTest::newRow("both, wrong key") << Save(writer) << QByteArray("jin\xE9 heslo");
}

// OnCorrupt hears of it first, then ECorruptFile; entries, key and form are
// as they were.
void TestStreams::corrupt()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, key);
    THKStreams streams;
    streams.setCompressed(false);
    streams.setKey(key);
    Add(streams, "keep", "me");
    const Entries before = Contents(streams);

    QStringList events;
    streams.OnCorrupt = [&](THKStreams &sender) {
        events << QStringLiteral("OnCorrupt");
        if (&sender != &streams || Contents(sender) != before)
            events << QStringLiteral("changed before OnCorrupt");
    };
    try {
        Load(streams, bytes);
        events << QStringLiteral("loaded");
    } catch (const ECorruptFile &e) {
        events << QStringLiteral("ECorruptFile ") + e.message();
    }
    QCOMPARE(events, (QStringList{"OnCorrupt", "ECorruptFile File is corrupt."}));
    QCOMPARE(Contents(streams), before);
    QCOMPARE(streams.Key(), key);
    QCOMPARE(streams.Compressed(), false);
    QCOMPARE(streams.Encrypted(), false);
}

void TestStreams::readErrors_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<Entries>("left"); // the entries afterwards
    const Entries old{{"old", "entry"}};
    const QByteArray sig("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
    const QByteArray one = Hex("0100 61 01000000 78"); // "a": "x"

    QTest::newRow("no count") << sig << old;
    QTest::newRow("count cut") << sig + Hex("0100") << old;
    // Two entries need twelve bytes at least: this one is known short at once.
    QTest::newRow("name length cut") << sig + Hex("02000000") + one + Hex("01") << old;
    QTest::newRow("name cut") << sig + Hex("02000000") + one + Hex("0500 6263") << Entries{{"a", "x"}};
    QTest::newRow("size cut") << sig + Hex("02000000") + one + Hex("0100 62 0100") << Entries{{"a", "x"}};
    QTest::newRow("data cut") << sig + Hex("02000000") + one + Hex("0100 62 0a000000 797979") << Entries{{"a", "x"}};
    QTest::newRow("count beyond the entries present")
        << sig + Hex("03000000") + one + Hex("0100 62 03000000 797979") << Entries{{"a", "x"}, {"b", "yyy"}};
    // Counts and sizes that no file of this length can hold fail before
    // anything is made for them.
    QTest::newRow("count of two thousand million") << sig + Hex("ffffff7f") + one << old;
    QTest::newRow("negative count") << sig + Hex("ffffffff") + one << old;
    QTest::newRow("size of two thousand million") << sig + Hex("01000000 0100 61 ffffff7f 78") << Entries{};
    QTest::newRow("negative size") << sig + Hex("02000000") + one + Hex("0100 62 feffffff 78") << Entries{{"a", "x"}};
}

void TestStreams::readErrors()
{
    QFETCH(QByteArray, image);
    QFETCH(Entries, left);
    THKStreams streams;
    streams.setKey("k");
    Add(streams, "old", "entry");
    bool corrupt = false;
    streams.OnCorrupt = [&](THKStreams &) { corrupt = true; };
    try {
        Load(streams, "  " + image);
        QFAIL("loaded");
    } catch (const EReadError &e) {
        QCOMPARE(e.message(), QStringLiteral("Stream read error"));
    }
    QVERIFY(!corrupt);
    QCOMPARE(Contents(streams), left);
    QCOMPARE(streams.Compressed(), true);

    // The same image inside a compressed container fails alike.
    THKStreams packed;
    Add(packed, "old", "entry");
    QVERIFY_THROWS_EXCEPTION(EReadError, Load(packed, "& " + LzhCompressBytes(image)));
    QCOMPARE(Contents(packed), left);
}

void TestStreams::unusableKeyRefusedBeforeWriting_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray() << PasswordMessages::kNotEntered;
    QTest::newRow("256 bytes") << QByteArray(256, 'k') << PasswordMessages::kLengthMultipleOf256;
    QTest::newRow("512 bytes") << QByteArray(512, 'k') << PasswordMessages::kLengthMultipleOf256;
    QTest::newRow("weak key") << kWeakKey << PasswordMessages::kWeakKey;
}

void TestStreams::unusableKeyRefusedBeforeWriting()
{
    QFETCH(QByteArray, key);
    QFETCH(QString, message);
    for (bool compressed : {false, true}) {
        THKStreams streams;
        streams.setCompressed(compressed);
        streams.setEncrypted(true);
        streams.setKey(key);
        Add(streams, "secret", "never in the clear");

        QByteArray bytes = "old";
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadWrite);
        buffer.seek(3);
        try {
            streams.SaveToStream(buffer);
            QFAIL("saved");
        } catch (const EPasswordRefused &e) {
            QCOMPARE(e.message(), message);
        }
        QCOMPARE(bytes, QByteArray("old"));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Poznamky.str"));
        WriteFile(path, "old file");
        QVERIFY_THROWS_EXCEPTION(EPasswordRefused, streams.SaveToFile(path));
        QCOMPARE(ReadFile(path), QByteArray("old file"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Poznamky.str"});
    }
}

// A key that fails only the weak-key test never encrypted anything: such a
// container holds its payload as it was under the encrypted flag.
void TestStreams::weakKeyContainerReadsAsItIs()
{
    const QByteArray image = Image({{"a", "b"}});
    for (const QByteArray &bytes : {" *" + image, "&*" + LzhCompressBytes(image)}) {
        THKStreams streams;
        streams.setKey(kWeakKey);
        Load(streams, bytes);
        QCOMPARE(Contents(streams), (Entries{{"a", "b"}}));
        QVERIFY(streams.Encrypted());
        // It cannot be written back encrypted with that key.
        QVERIFY_THROWS_EXCEPTION(EPasswordRefused, Save(streams));
    }
}

// What a compressed container may not load, it does not save either.
void TestStreams::compressedContentLimit()
{
    THKStreams streams;
    // 12 bytes of head, 9 of entry and the data: just the limit.
    Add(streams, "big", QByteArray(THKStreams::kLargestCompressedImage - 21, 0));
    THKStreams back;
    Load(back, Save(streams));
    QCOMPARE(back.Count(), 1);
    Add(streams, "big", QByteArray(THKStreams::kLargestCompressedImage - 20, 0));
    QByteArray bytes = "old";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly | QIODevice::Append);
    try {
        streams.SaveToStream(buffer);
        QFAIL("saved");
    } catch (const EStreamError &e) {
        QCOMPARE(e.message(), StreamMessages::kTooLargeToCompress);
    }
    QCOMPARE(bytes, QByteArray("old"));
}

void TestStreams::files()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Poznamky.str"));
    THKStreams streams;
    streams.setCompressed(false);
    Add(streams, "777777", "ab");

    const QString missing = dir.filePath(QStringLiteral("none.str"));
    try {
        streams.LoadFromFile(missing);
        QFAIL("opened");
    } catch (const EFOpenError &e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot open file ") + missing);
    }
    QCOMPARE(Contents(streams), (Entries{{"777777", "ab"}}));

    const QString noFolder = dir.filePath(QStringLiteral("no/such/folder/Poznamky.str"));
    try {
        streams.SaveToFile(noFolder);
        QFAIL("created");
    } catch (const EFCreateError &e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot create file ") + noFolder);
    }

    WriteFile(path, QByteArray(100, 'x'));
    streams.SaveToFile(path);
    QCOMPARE(ReadFile(path), Hex("2020 0102030405060708 01000000 0600 373737373737 02000000 6162"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Poznamky.str"});

    THKStreams back;
    back.LoadFromFile(path);
    QCOMPARE(Contents(back), Contents(streams));
    QVERIFY(!back.Compressed());

    // A damaged file read from disk is corrupt as well, and stays as it is.
    WriteFile(path, Hex("2020 0102"));
    QVERIFY_THROWS_EXCEPTION(ECorruptFile, back.LoadFromFile(path));
    QCOMPARE(ReadFile(path), Hex("2020 0102"));
}

QTEST_GUILESS_MAIN(TestStreams)
#include "tst_streams.moc"
