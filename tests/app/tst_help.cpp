// The user guide: found from an installed layout or a build layout, opened
// by "&Nápověda..." through the shell with a file: address, and the about
// box's links, which must name pages that exist.

#include "support/MainWindowFixture.h"
#include "ui/HelpGuide.h"
#include "ui/RosHotLabel.h"
#include "ui/RosURLError.h"
#include "ui/Zendra12F4.h"
#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

// A folder tree under root: each path gets a small file, a path ending in
// "/" becomes a folder.
void MakeTree(const QString &root, const QStringList &paths)
{
    for (const QString &path : paths) {
        const QString full = root + u'/' + path;
        if (path.endsWith(u'/')) {
            QVERIFY(QDir().mkpath(full));
            continue;
        }
        QVERIFY(QDir().mkpath(QFileInfo(full).path()));
        QFile f(full);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<!DOCTYPE html><title>x</title>\n");
    }
}

QString LocalFileOf(const QString &address)
{
    const QUrl url(address);
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

const QStringList kInstalled = {QStringLiteral("share/zendra/help/index.html"),
                                QStringLiteral("share/zendra/help/o-programu.html")};
const QStringList kBuilt = {QStringLiteral("bin/help/index.html"), QStringLiteral("bin/help/o-programu.html")};

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void guideFolderIsFound_data();
    void guideFolderIsFound();
    void pageAddressesOpenTheirFiles_data();
    void pageAddressesOpenTheirFiles();
    void helpCommand_data();
    void helpCommand();
    void aboutBoxLinksNameExistingPages();
    void aboutBoxWithoutGuideShowsNoLinks();
};

void TestHelp::guideFolderIsFound_data()
{
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("expected"); // relative to the tree, empty: none
    QTest::newRow("installed") << kInstalled << "share/zendra/help";
    QTest::newRow("build folder") << kBuilt << "bin/help";
    QTest::newRow("both: the installed one wins") << (kInstalled + kBuilt) << "share/zendra/help";
    QTest::newRow("installed folder without its index")
        << (QStringList{QStringLiteral("share/zendra/help/o-programu.html")} + kBuilt) << "bin/help";
    QTest::newRow("index.html that is a folder") << QStringList{QStringLiteral("bin/help/index.html/")} << "";
    QTest::newRow("another program's guide") << QStringList{QStringLiteral("share/other/help/index.html")} << "";
    QTest::newRow("nothing") << QStringList{QStringLiteral("bin/")} << "";
}

void TestHelp::guideFolderIsFound()
{
    QFETCH(QStringList, tree);
    QFETCH(QString, expected);
    QTemporaryDir root;
    MakeTree(root.path(), tree + QStringList{QStringLiteral("bin/")});
    const QString found = HelpGuide::Folder(root.path() + QStringLiteral("/bin"));
    QCOMPARE(found, expected.isEmpty() ? QString() : root.path() + u'/' + expected);
}

void TestHelp::pageAddressesOpenTheirFiles_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("plain") << "share/zendra/help";
    QTest::newRow("a space") << "Moje programy/share/zendra/help";
    QTest::newRow("Czech letters") << "Příliš žluťoučký kůň/help";
    QTest::newRow("a hash and a percent") << "verze #2 100%/help";
}

void TestHelp::pageAddressesOpenTheirFiles()
{
    QFETCH(QString, folder);
    QTemporaryDir root;
    const QString full = root.path() + u'/' + folder;
    MakeTree(root.path(), {folder + QStringLiteral("/index.html")});
    const QString address = HelpGuide::PageAddress(full, HelpGuide::kIndexPage);
    QVERIFY2(address.startsWith(QLatin1String("file:///")), qPrintable(address));
    // The hyperlink label takes it, and the shell's parser finds the file again.
    QVERIFY(HotLabelUrl::ProtocolRecognised(address));
    QCOMPARE(LocalFileOf(address), full + QStringLiteral("/index.html"));
}

void TestHelp::helpCommand_data()
{
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<bool>("browserStarts");
    QTest::addColumn<QString>("opened");  // the index opened, relative to the tree; empty: none
    QTest::addColumn<QString>("message"); // the error box's text; "guide": the missing guide's
    QTest::newRow("installed") << kInstalled << true << "share/zendra/help/index.html" << "";
    QTest::newRow("build folder") << kBuilt << true << "bin/help/index.html" << "";
    QTest::newRow("no browser") << kInstalled << false << "share/zendra/help/index.html"
                                << "Nelze otevřít internetový prohlížeč.";
    QTest::newRow("no guide") << QStringList{QStringLiteral("bin/")} << true << "" << "guide";
}

void TestHelp::helpCommand()
{
    QFETCH(QStringList, tree);
    QFETCH(bool, browserStarts);
    QFETCH(QString, opened);
    QFETCH(QString, message);
    QTemporaryDir root;
    MakeTree(root.path(), tree + QStringList{QStringLiteral("bin/")});
    MainWindowFixture f;
    f.form->ProgramFolder = root.path() + QStringLiteral("/bin");
    f.fake.shell.succeed = browserStarts;

    f.form->Napoveda->trigger();

    if (opened.isEmpty()) {
        QVERIFY(f.fake.shell.opened.isEmpty());
    } else {
        QCOMPARE(f.fake.shell.opened.size(), 1);
        QVERIFY(HotLabelUrl::ProtocolRecognised(f.fake.shell.opened.first()));
        QCOMPARE(LocalFileOf(f.fake.shell.opened.first()), root.path() + u'/' + opened);
    }
    if (message.isEmpty()) {
        QVERIFY(f.fake.dialogs.shown.isEmpty());
        return;
    }
    QCOMPARE(f.fake.dialogs.shown.size(), 1);
    const ShownMessage &shown = f.fake.dialogs.shown.first();
    QCOMPARE(shown.kind, MessageKind::Error);
    QCOMPARE(shown.caption, QStringLiteral("Chyba"));
    if (message == u"guide") {
        // It says where the guide belongs.
        QVERIFY2(shown.text.startsWith(QStringLiteral("Nápověda nebyla nalezena.")), qPrintable(shown.text));
        QVERIFY2(shown.text.contains(root.path() + QStringLiteral("/share/zendra/help")), qPrintable(shown.text));
    } else {
        QCOMPARE(shown.text, message);
    }
}

void TestHelp::aboutBoxLinksNameExistingPages()
{
    // The guide as it is shipped: both pages the links name must be in it.
    const QString shipped = QStringLiteral(ZENDRA_SOURCE_DIR "/docs/help");
    FakePlatform platform;
    TForm4 about(platform.shell, platform.dialogs);
    about.setGuideFolder(shipped);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QStringList captions;
    for (TRosHotLabel *link : {about.RosHotLabel1, about.RosHotLabel2}) {
        QVERIFY(link->isVisible());
        const QString file = LocalFileOf(link->Caption());
        QVERIFY2(QFileInfo(file).isFile(), qPrintable(link->Caption()));
        QVERIFY(QFileInfo(file).absolutePath() == QFileInfo(shipped).absoluteFilePath());
        captions << link->Caption();
        QTest::mouseClick(link, Qt::LeftButton);
    }
    QVERIFY(captions[0] != captions[1]);
    QCOMPARE(platform.shell.opened, captions);
    QVERIFY(platform.dialogs.shown.isEmpty());

    // The main window's box follows the guide of its program folder.
    QTemporaryDir root;
    MakeTree(root.path(), kBuilt);
    MainWindowFixture f;
    f.form->ProgramFolder = root.path() + QStringLiteral("/bin");
    f.form->About1->trigger();
    for (TRosHotLabel *link : {f.form->Form4->RosHotLabel1, f.form->Form4->RosHotLabel2})
        QVERIFY2(QFileInfo(LocalFileOf(link->Caption())).isFile(), qPrintable(link->Caption()));
    f.form->Form4->close();
}

void TestHelp::aboutBoxWithoutGuideShowsNoLinks()
{
    FakePlatform platform;
    TForm4 about(platform.shell, platform.dialogs);
    about.setGuideFolder(QStringLiteral(ZENDRA_SOURCE_DIR "/docs/help"));
    about.setGuideFolder(QString());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    for (TRosHotLabel *link : {about.RosHotLabel1, about.RosHotLabel2}) {
        QVERIFY(!link->isVisible());
        QVERIFY(link->Caption().isEmpty());
    }
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
