// Find in files below the window: the text of a candidate as the editor
// shows it, protected files and their keys, the two phases of the folder
// enumeration, and the folder the window starts in.

#include "files/PasswordRules.h"
#include "tools/FileSearch.h"
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void Write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class TestFileSearch : public QObject {
    Q_OBJECT
private slots:
    void plainText_data();
    void plainText();
    void protectedText_data();
    void protectedText();
    void enumerationPhases();
    void candidateFile_data();
    void candidateFile();
    void startFolder_data();
    void startFolder();
};

void TestFileSearch::plainText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<int>("at");
    QTest::newRow("empty file") << QByteArray() << "" << "a" << -1;
    QTest::newRow("one line end only") << QByteArray("\r\n") << "" << "a" << -1;
    QTest::newRow("valid marker hidden")
        << QByteArray("CHHEX:789968\r\nOt\xE1zka: kam?\r\n") << u"Otázka: kam?"_s << "kam" << 8;
    QTest::newRow("damaged marker dropped as the editor drops it")
        << QByteArray("CHHEX:78\r\nkam\r\n") << "kam" << "kam" << 0;
    QTest::newRow("marker alone is an empty text") << QByteArray("CHHEX:777777\r\n") << "" << "CHHEX" << -1;
    QTest::newRow("marker on line 2 is text")
        << QByteArray("a\r\nCHHEX:777777\r\n") << "a\nCHHEX:777777" << "chhex" << 2;
    QTest::newRow("every line end, last without one")
        << QByteArray("a\rb\nc\r\n\r\nd") << "a\nb\nc\n\nd" << "d" << 7;
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << "a\n\nb" << "b" << 3;
    QTest::newRow("NUL ends the text") << QByteArray("drak\r\n\0drak", 11) << "drak" << "drak" << 0;
    QTest::newRow("Czech letters of the code page")
        << QByteArray("\x8Alechti\xE8 \xD8\xED\xE8" "an\r\n") << u"Šlechtič Říčan"_s << u"ŘÍČAN"_s << 9;
    QTest::newRow("UTF-8 from another editor")
        << QByteArray("CHHEX:789968\n\xC5\xA0lechti\xC4\x8D\xC2\xA0kam?\n") << u"Šlechtič kam?"_s << u"č k"_s << 7;
    QTest::newRow("no-break space reads as a space")
        << QByteArray("velk\xE1\xA0voda\r\n") << u"velká voda"_s << u"á v"_s << 4;
}

void TestFileSearch::plainText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QString, phrase);
    QFETCH(int, at);
    const QString got = FileSearch::PlainFileText(bytes);
    QCOMPARE(got, text);
    QCOMPARE(FileSearch::FirstMatch(got, phrase, {}), at);
}

void TestFileSearch::protectedText_data()
{
    QTest::addColumn<QString>("savedWith");
    QTest::addColumn<QString>("openedWith");
    QTest::addColumn<bool>("opens");
    QTest::newRow("same key") << u"tajné"_s << u"tajné"_s << true;
    QTest::newRow("blanks around are the same key") << u"tajné"_s << u"  tajné "_s << true;
    QTest::newRow("case differs") << u"tajné"_s << u"Tajné"_s << false;
    QTest::newRow("accent differs") << u"tajné"_s << u"tajne"_s << false;
    QTest::newRow("no key") << u"tajné"_s << QString() << false;
}

void TestFileSearch::protectedText()
{
    QFETCH(QString, savedWith);
    QFETCH(QString, openedWith);
    QFETCH(bool, opens);
    const QByteArray form("CHHEX:666666\r\nP\xF8\xEDv\xECt\r\nkone\xE8n\xEC drak\r\n");
    const QByteArray stored = EncryptConsultation(form, savedWith);
    const std::optional<QString> text = FileSearch::ProtectedFileText(stored, openedWith);
    QCOMPARE(text.has_value(), opens);
    if (opens) {
        QCOMPARE(*text, u"Přívět\nkonečně drak"_s);
        QCOMPARE(FileSearch::FirstMatch(*text, u"DRAK"_s, {}), 15);
        QCOMPARE(FileSearch::FirstMatch(*text, u"DRAK"_s, {true, false}), -1);
    }
    // A plain file given a protected name opens with no key at all.
    QVERIFY(!FileSearch::ProtectedFileText(form, savedWith));
    // Protected content is the program's own: the code page, even where it would pass for UTF-8.
    QCOMPARE(FileSearch::DecryptedFileText("\xC4\x8D\r\n\x01\x01"), u"ÄŤ"_s);
}

void TestFileSearch::enumerationPhases()
{
    QTemporaryDir dir;
    const QDir d(dir.path());
    for (const char *name : {"b.txt", "a.txt", "C.TXT", ".skryty.txt", "e.txg", "d.txg", "f.doc", "g.txt.bak"})
        Write(d.filePath(QString::fromLatin1(name)), "x\r\n");
    QVERIFY(d.mkdir(QStringLiteral("slozka.txt")));
    QVERIFY(d.mkdir(QStringLiteral("pod")));
    Write(d.filePath(QStringLiteral("pod/h.txt")), "x\r\n");

    FileSearch::Enumeration e;
    e.start(dir.path());
    QSet<QString> plain, protectedOnes;
    QList<FileSearch::Phase> phases;
    while (const std::optional<QString> name = e.next()) {
        phases << e.phase();
        (e.phase() == FileSearch::Phase::Plain ? plain : protectedOnes) << *name;
    }
    QVERIFY(!e.isOpen());
    QCOMPARE(plain, (QSet<QString>{u"a.txt"_s, u"b.txt"_s, u"C.TXT"_s, u".skryty.txt"_s}));
    QCOMPARE(protectedOnes, (QSet<QString>{u"d.txg"_s, u"e.txg"_s}));
    // Every plain-phase entry comes before every protected one.
    QVERIFY(std::is_sorted(phases.begin(), phases.end()));
    QCOMPARE(FileSearch::Entries(dir.path()).size(), 6);

    // Ending it frees the enumeration; starting again begins at the first phase.
    e.start(dir.path());
    QVERIFY(e.next());
    QCOMPARE(e.phase(), FileSearch::Phase::Plain);
    e.end();
    QVERIFY(!e.next());
}

void TestFileSearch::startFolder_data()
{
    // Folders under a scratch root: "inst" is the installation, "work" the working folder.
    QTest::addColumn<QStringList>("made");
    QTest::addColumn<QString>("install");
    QTest::addColumn<QString>("working");
    QTest::addColumn<QString>("expected");
    QTest::newRow("installation data") << QStringList{"inst/Data", "work/Data"} << "inst" << "work" << "inst/Data";
    QTest::newRow("no installation setting") << QStringList{"work/Data"} << "" << "work" << "work/Data";
    QTest::newRow("installation without data") << QStringList{"inst", "work/Data"} << "inst" << "work" << "work/Data";
    QTest::newRow("installation gone") << QStringList{"work"} << "inst" << "work" << "work";
    QTest::newRow("working folder gone") << QStringList{} << "" << "work" << "HOME";
    QTest::newRow("the root is no place to search") << QStringList{} << "" << "/" << "HOME";
}

void TestFileSearch::startFolder()
{
    QFETCH(QStringList, made);
    QFETCH(QString, install);
    QFETCH(QString, working);
    QFETCH(QString, expected);
    QTemporaryDir root;
    const QDir r(root.path());
    for (const QString &m : made)
        QVERIFY(r.mkpath(m));
    QVERIFY(r.mkpath(QStringLiteral("home")));
    const auto under = [&](const QString &p) { return p.isEmpty() || p.startsWith(u'/') ? p : r.filePath(p); };
    const QString home = r.filePath(QStringLiteral("home"));
    const QString want = expected == QLatin1String("HOME") ? home : under(expected);
    QCOMPARE(FileSearch::StartFolder(under(install), under(working), home), want);
}

void TestFileSearch::candidateFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("read");
    QTest::newRow("empty file") << "file" << qint64(0) << true;
    QTest::newRow("larger than a read buffer") << "file" << qint64(200 * 1024 + 7) << true;
    QTest::newRow("a byte over the limit") << "file" << FileSearch::kLargestCandidateBytes + 1 << false;
    QTest::newRow("folder") << "folder" << qint64(0) << false;
    QTest::newRow("broken link") << "broken link" << qint64(0) << false;
    // Reports no size and never ends: read up to the limit, then refused.
    if (QFile::exists(u"/dev/zero"_s))
        QTest::newRow("endless device") << "/dev/zero" << qint64(0) << false;
}

void TestFileSearch::candidateFile()
{
    QFETCH(QString, kind);
    QFETCH(qint64, size);
    QFETCH(bool, read);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(u"a.txt"_s);
    QByteArray bytes;
    if (kind == u"file"_s) {
        if (size <= FileSearch::kLargestCandidateBytes) {
            for (qint64 i = 0; i < size; ++i)
                bytes += char(i * 7 % 251);
            Write(path, bytes);
        } else {
            QFile f(path); // sparse: the size is what counts
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(size));
        }
    } else if (kind == u"folder"_s) {
        QVERIFY(QDir(dir.path()).mkdir(u"a.txt"_s));
    } else if (kind == u"broken link"_s) {
        QVERIFY(QFile::link(QDir(dir.path()).filePath(u"none"_s), path));
    } else if (kind.startsWith(u'/')) {
        QVERIFY(QFile::link(kind, path));
    }
    const std::optional<QByteArray> got = FileSearch::ReadCandidateFile(path);
    QCOMPARE(got.has_value(), read);
    if (got)
        QCOMPARE(*got, bytes);
}

QTEST_GUILESS_MAIN(TestFileSearch)
#include "tst_filesearch.moc"
