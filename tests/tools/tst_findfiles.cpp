// Find in files through the window's own buttons: the two phases, the
// password prompt and its key, the nine-window limit, the displayed-text
// search, stopping a long search, and the window's place.

#include "app/DocumentSlots.h"
#include "files/HesloF.h"
#include "files/PasswordRules.h"
#include "support/MainWindowFixture.h"
#include "tools/FindS_F10.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

const QString kNotFound = u"Zadaný text nebyl nalezen."_s;

// The password prompt of find in files with the user played from a queue;
// every showing records how the dialog was set up.
class SearchPasswordDlg : public TPasswordDlg {
public:
    using TPasswordDlg::TPasswordDlg;
    enum Press { Ok, Skip, Quit };
    struct Turn {
        Press press;
        QString entry;
    };
    struct Showing {
        QString caption, cancelText;
        bool quitShown, masked;
    };
    QQueue<Turn> turns; // when empty: "Přeskočit"
    QList<Showing> shown;

    int ShowModal() override
    {
        setResult(mrCancel);
        open();
        shown << Showing{windowTitle(), CancelBtn->text(), Button1->isVisible(),
                         Password->echoMode() == QLineEdit::Password};
        const Turn t = turns.isEmpty() ? Turn{Skip, {}} : turns.dequeue();
        if (t.press == Ok) {
            Password->setText(t.entry);
            OKBtn->click();
        } else {
            (t.press == Skip ? CancelBtn : Button1)->click();
        }
        if (isVisible())
            reject();
        return result();
    }
    QStringList captions() const
    {
        QStringList l;
        for (const Showing &s : shown)
            l << s.caption;
        return l;
    }
};

struct Fixture : MainWindowFixture {
    QTemporaryDir dir;
    SearchPasswordDlg *passwords = nullptr;
    TForm10 *find = nullptr;

    explicit Fixture(const std::function<void(FakePlatform &)> &prepare = {}) : MainWindowFixture(prepare)
    {
        passwords = new SearchPasswordDlg(fake.dialogs, form);
        form->setPasswordDialog(passwords);
        form->Zadny->trigger();
        find = windows->form10;
    }
    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }
    void plain(const QString &name, const QByteArray &form) const { Write(path(name), form); }
    void locked(const QString &name, const QByteArray &form, const QString &key) const
    {
        Write(path(name), EncryptConsultation(form, key));
    }
    static void Write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    // Shows the window on the folder and waits for its file list.
    bool look(int files, const QString &folder = QString())
    {
        form->Najtvuloenchsouborech1->trigger();
        find->setDirectory(folder.isEmpty() ? dir.path() : folder);
        return QTest::qWaitFor([&] { return find->fileCount() == files; }, 10000);
    }
    void type(const QString &phrase)
    {
        find->Edit1->clear();
        QTest::keyClicks(find->Edit1, phrase);
    }
    QString selected() const { return form->RichEdit2->textCursor().selectedText(); }
    QString currentFile() { return state.documents.current().fileName; }
    int notFoundCount() const { return int(fake.dialogs.texts().count(kNotFound)); }
};

// Three lines, the phrase "drak" at 8 in the editor's text.
const QByteArray kWithMarker("CHHEX:789968\r\nOt\xE1zka: drak?\r\nkonec\r\n");
const QByteArray kWithout("Ot\xE1zka: kam?\r\nnic\r\n");
const QByteArray kDrakFirst("Drak na za\xE8\xE1tku\r\n");

} // namespace

class TestFindFiles : public QObject {
    Q_OBJECT
private slots:
    void bothPhasesWithOnePassword();
    void noPlainFileGoesToProtectedOnes();
    void nothingToFind_data();
    void nothingToFind();
    void nineWindows();
    void skipAndQuit_data();
    void skipAndQuit();
    void passwordAskedAgainAfterClose();
    void wrongPasswordThenRight();
    void wrongPasswordKeptAfterSkip();
    void changesEndTheSearch_data();
    void changesEndTheSearch();
    void longSearchCanBeStopped_data();
    void longSearchCanBeStopped();
    void alreadyOpenFile();
    void searchInDisplayedText();
    void unreadableEntriesAreSkipped();
    void openSelectedFile();
    void placeAndSettings_data();
    void placeAndSettings();
    void startsInDataUnderInstallation();
};

void TestFindFiles::bothPhasesWithOnePassword()
{
    Fixture f;
    f.plain(u"a.txt"_s, kWithout);
    f.plain(u"b.txt"_s, kWithMarker);
    f.locked(u"c.txg"_s, kDrakFirst, u"tajné"_s);
    f.locked(u"d.txg"_s, "Zase drak.\r\n", u"tajné"_s);
    QVERIFY(f.look(4));
    QVERIFY(f.form->Najtvuloenchsouborech1->isEnabled());
    QCOMPARE(f.find->windowTitle(), u"Hledat"_s);
    QVERIFY(!f.find->Button1->isEnabled()); // no text yet
    f.type(u"drak"_s);
    QVERIFY(f.find->Button1->isEnabled());
    QVERIFY(!f.find->Button5->isEnabled());

    f.find->Button1->click();
    // Plain files come first: no password asked yet.
    QCOMPARE(f.currentFile(), f.path(u"b.txt"_s));
    QCOMPARE(f.form->RichEdit2->toPlainText(), u"Otázka: drak?\nkonec"_s);
    QCOMPARE(f.find->FilesFindPos, 8);
    QCOMPARE(f.selected(), u"drak"_s);
    QVERIFY(f.passwords->shown.isEmpty());
    QVERIFY(f.find->Button5->isEnabled());
    QVERIFY(!f.find->Button1->isEnabled());

    f.passwords->turns << SearchPasswordDlg::Turn{SearchPasswordDlg::Ok, u"  tajné "_s};
    f.find->Button5->click();
    QCOMPARE(f.passwords->shown.size(), 1);
    const SearchPasswordDlg::Showing asked = f.passwords->shown[0];
    QVERIFY(asked.caption == u"Heslo - c.txg"_s || asked.caption == u"Heslo - d.txg"_s);
    QCOMPARE(asked.cancelText, u"Přeskočit"_s);
    QVERIFY(asked.quitShown);
    QVERIFY(asked.masked);
    // Set back for saving and opening.
    QCOMPARE(f.passwords->windowTitle(), u"Heslo"_s);
    QCOMPARE(f.passwords->CancelBtn->text(), u"Storno"_s);
    QVERIFY(f.passwords->Button1->isHidden());
    QCOMPARE(f.find->fileKey, u"tajné"_s);
    const QString first = f.currentFile();
    QCOMPARE(u"Heslo - "_s + QFileInfo(first).fileName(), asked.caption);
    QCOMPARE(f.selected().toLower(), u"drak"_s);

    f.find->Button5->click();
    const QString second = f.currentFile();
    QCOMPARE((QSet<QString>{first, second}), (QSet<QString>{f.path(u"c.txg"_s), f.path(u"d.txg"_s)}));
    QCOMPARE(f.passwords->shown.size(), 1); // the key fitted: no second prompt
    QCOMPARE(f.selected().toLower(), u"drak"_s);
    QCOMPARE(f.state.documents.openSlotCount, 4);

    QCOMPARE(f.notFoundCount(), 0);
    f.find->Button5->click();
    QCOMPARE(f.notFoundCount(), 1);
    QCOMPARE(f.fake.dialogs.shown.size(), 1);
    QVERIFY(!f.find->Button5->isEnabled());
    QVERIFY(f.find->Button1->isEnabled());
    QCOMPARE(f.find->Button1->text(), u"> V souborech < "_s);
}

void TestFindFiles::noPlainFileGoesToProtectedOnes()
{
    Fixture f;
    f.locked(u"jen.txg"_s, kWithMarker, u"heslo"_s);
    QVERIFY(f.look(1));
    f.passwords->turns << SearchPasswordDlg::Turn{SearchPasswordDlg::Ok, u"heslo"_s};
    f.type(u"DRAK"_s);
    f.find->Button1->click();
    QCOMPARE(f.passwords->captions(), QStringList{u"Heslo - jen.txg"_s});
    QCOMPARE(f.currentFile(), f.path(u"jen.txg"_s));
    QCOMPARE(f.selected(), u"drak"_s);
    QVERIFY(f.state.lines.hasHexagram);
}

void TestFindFiles::nothingToFind_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<QByteArray>>("forms");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("vanish");
    QTest::newRow("empty folder") << QStringList{} << QList<QByteArray>{} << u"drak"_s << false;
    QTest::newRow("empty file and a hidden marker")
        << QStringList{u"prazdny.txt"_s, u"znacka.txt"_s} << QList<QByteArray>{"", "CHHEX:777777\r\n"} << u"CHHEX"_s
        << false;
    QTest::newRow("whole words only inside words")
        << QStringList{u"a.txt"_s} << QList<QByteArray>{"podrakem\r\n"} << u"drak"_s << false;
    QTest::newRow("the file vanished after the listing")
        << QStringList{u"pryc.txt"_s} << QList<QByteArray>{kWithMarker} << u"drak"_s << true;
}

void TestFindFiles::nothingToFind()
{
    QFETCH(QStringList, names);
    QFETCH(QList<QByteArray>, forms);
    QFETCH(QString, phrase);
    QFETCH(bool, vanish);
    Fixture f;
    for (int i = 0; i < names.size(); ++i)
        f.plain(names[i], forms[i]);
    QVERIFY(f.look(int(names.size())));
    f.find->CheckBox2->setChecked(true);
    f.type(phrase);
    if (names.isEmpty()) {
        // An empty list offers no search; the displayed text can still be searched.
        QVERIFY(!f.find->Button1->isEnabled());
        QVERIFY(f.find->Button2->isEnabled());
        return;
    }
    if (vanish)
        QVERIFY(QFile::remove(f.path(names[0])));
    f.find->Button1->click();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{kNotFound});
    QCOMPARE(f.state.documents.openSlotCount, 1);
    QCOMPARE(f.find->FilesFindPos, -1);
}

void TestFindFiles::nineWindows()
{
    Fixture f;
    f.plain(u"b.txt"_s, kWithMarker);
    f.plain(u"c.txt"_s, kWithMarker);
    QVERIFY(f.look(2));
    for (int i = 0; i < 8; ++i)
        f.form->New1->trigger();
    QCOMPARE(f.state.documents.openSlotCount, 9);
    f.type(u"drak"_s);
    f.find->Button1->click();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{TForm10::kNineWindows});
    QCOMPARE(f.state.documents.openSlotCount, 9);

    // With eight open the first match opens the ninth; going on is refused.
    f.fake.dialogs.shown.clear();
    f.form->ZavOkno->trigger();
    QCOMPARE(f.state.documents.openSlotCount, 8);
    f.find->Button1->click();
    QCOMPARE(f.state.documents.openSlotCount, 9);
    QVERIFY(f.find->Button5->isEnabled());
    const QString opened = f.currentFile();
    f.find->Button5->click();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{TForm10::kNineWindows});
    QCOMPARE(f.currentFile(), opened);
}

void TestFindFiles::skipAndQuit_data()
{
    QTest::addColumn<bool>("quit");
    QTest::newRow("Přeskočit goes on") << false;
    QTest::newRow("Ukončit closes the window") << true;
}

void TestFindFiles::skipAndQuit()
{
    QFETCH(bool, quit);
    Fixture f;
    f.locked(u"p.txg"_s, kWithMarker, u"tajné"_s);
    f.locked(u"q.txg"_s, kWithMarker, u"tajné"_s);
    QVERIFY(f.look(2));
    f.passwords->turns << SearchPasswordDlg::Turn{quit ? SearchPasswordDlg::Quit : SearchPasswordDlg::Skip, u"x"_s}
                       << SearchPasswordDlg::Turn{SearchPasswordDlg::Ok, u"tajné"_s};
    f.type(u"drak"_s);
    f.find->Button1->click();
    if (quit) {
        QCOMPARE(f.passwords->shown.size(), 1);
        QVERIFY(!f.find->isVisible());
        QVERIFY(f.find->fileKey.isEmpty());
        QVERIFY(!f.find->Button5->isEnabled());
        QCOMPARE(f.state.documents.openSlotCount, 1);
        QVERIFY(f.fake.dialogs.shown.isEmpty());
        return;
    }
    // The skipped file stays closed; the next one is asked for and opens.
    QCOMPARE(f.passwords->shown.size(), 2);
    QCOMPARE(f.state.documents.openSlotCount, 2);
    QCOMPARE(u"Heslo - "_s + QFileInfo(f.currentFile()).fileName(), f.passwords->shown[1].caption);
    QVERIFY(f.passwords->shown[0].caption != f.passwords->shown[1].caption);
    QVERIFY(f.find->isVisible());
}

void TestFindFiles::passwordAskedAgainAfterClose()
{
    Fixture f;
    f.locked(u"r.txg"_s, kWithMarker, u"tajné"_s);
    QVERIFY(f.look(1));
    f.passwords->turns << SearchPasswordDlg::Turn{SearchPasswordDlg::Ok, u"tajné"_s}
                       << SearchPasswordDlg::Turn{SearchPasswordDlg::Ok, u"tajné"_s};
    f.type(u"drak"_s);
    f.find->Button1->click();
    QCOMPARE(f.passwords->shown.size(), 1);
    f.form->ZavOkno->trigger();
    // Searching again while the window stays open: the key is remembered.
    f.find->Edit1->setText(u"drak "_s);
    f.find->Button1->click();
    QCOMPARE(f.find->Edit1->text(), u"drak"_s);
    QCOMPARE(f.passwords->shown.size(), 1);
    f.form->ZavOkno->trigger();

    f.find->Button3->click();
    QVERIFY(!f.find->isVisible());
    QVERIFY(f.find->fileKey.isEmpty());
    f.form->Najtvuloenchsouborech1->trigger();
    QVERIFY(f.find->isVisible());
    QTRY_VERIFY(f.find->Button1->isEnabled());
    f.find->Button1->click();
    QCOMPARE(f.passwords->shown.size(), 2);
    QCOMPARE(f.currentFile(), f.path(u"r.txg"_s));
}

void TestFindFiles::wrongPasswordThenRight()
{
    Fixture f;
    f.locked(u"s.txg"_s, kWithMarker, u"tajné"_s);
    QVERIFY(f.look(1));
    f.passwords->turns << SearchPasswordDlg::Turn{SearchPasswordDlg::Ok, u"Tajné"_s}
                       << SearchPasswordDlg::Turn{SearchPasswordDlg::Ok, u"tajné"_s};
    f.type(u"drak"_s);
    f.find->Button1->click();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{u"Chybné heslo v souboru: "_s + f.path(u"s.txg"_s)});
    QCOMPARE(f.passwords->captions(), (QStringList{u"Heslo - s.txg"_s, u"Heslo - s.txg"_s}));
    QCOMPARE(f.currentFile(), f.path(u"s.txg"_s));
    QCOMPARE(f.selected(), u"drak"_s);
    QCOMPARE(f.find->fileKey, u"tajné"_s);
}

void TestFindFiles::wrongPasswordKeptAfterSkip()
{
    Fixture f;
    f.locked(u"t.txg"_s, kWithMarker, u"tajné"_s);
    QVERIFY(f.look(1));
    f.passwords->turns << SearchPasswordDlg::Turn{SearchPasswordDlg::Ok, u"omyl"_s}
                       << SearchPasswordDlg::Turn{SearchPasswordDlg::Skip, {}};
    f.type(u"drak"_s);
    f.find->Button1->click();
    QCOMPARE(f.fake.dialogs.texts(),
             (QStringList{u"Chybné heslo v souboru: "_s + f.path(u"t.txg"_s), kNotFound}));
    QCOMPARE(f.find->fileKey, u"omyl"_s);
    // The kept key is tried first next time, and found wrong again.
    f.fake.dialogs.shown.clear();
    f.find->Button1->click();
    QCOMPARE(f.fake.dialogs.texts(),
             (QStringList{u"Chybné heslo v souboru: "_s + f.path(u"t.txg"_s), kNotFound}));
    QCOMPARE(f.passwords->shown.size(), 3);
}

void TestFindFiles::changesEndTheSearch_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("text") << u"text"_s;
    QTest::newRow("folder") << u"folder"_s;
    QTest::newRow("drive") << u"drive"_s;
    QTest::newRow("window shown again") << u"show"_s;
}

void TestFindFiles::changesEndTheSearch()
{
    QFETCH(QString, change);
    Fixture f;
    QVERIFY(QDir(f.dir.path()).mkdir(u"jinde"_s));
    f.plain(u"b.txt"_s, kWithMarker);
    f.plain(u"c.txt"_s, kWithMarker);
    QVERIFY(f.look(2));
    f.type(u"drak"_s);
    f.find->Button1->click();
    QVERIFY(f.find->Button5->isEnabled());
    if (change == u"text") {
        QTest::keyClick(f.find->Edit1, Qt::Key_Backspace);
        QVERIFY(f.find->Button1->isEnabled());
    } else if (change == u"folder") {
        auto *model = static_cast<QFileSystemModel *>(f.find->DirectoryListBox1->model());
        f.find->DirectoryListBox1->setCurrentIndex(model->index(f.path(u"jinde"_s)));
        QCOMPARE(f.find->directory(), f.path(u"jinde"_s));
        QTRY_COMPARE(f.find->fileCount(), 0);
        QVERIFY(!f.find->Button1->isEnabled()); // nothing to search there
    } else if (change == u"drive") {
        QVERIFY(f.find->DriveComboBox1->count() >= 1);
        f.find->DriveComboBox1Change(0);
        QCOMPARE(f.find->DriveComboBox1->itemText(0).left(17), u"Domovská složka ("_s);
        QCOMPARE(f.find->directory(), QDir::cleanPath(QDir::homePath()));
    } else {
        f.find->hide();
        f.form->Najtvuloenchsouborech1->trigger();
        QVERIFY(f.find->Button1->isEnabled());
    }
    QVERIFY(!f.find->Button5->isEnabled());
    QCOMPARE(f.state.documents.openSlotCount, 2);
}

void TestFindFiles::longSearchCanBeStopped_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc") << u"esc"_s;
    QTest::newRow("Zavřít") << u"close"_s;
    QTest::newRow("new text") << u"text"_s;
}

void TestFindFiles::longSearchCanBeStopped()
{
    QFETCH(QString, how);
    Fixture f;
    // Many plain files without the phrase; the only match is protected, so last.
    for (int i = 0; i < 300; ++i)
        f.plain(u"soubor%1.txt"_s.arg(i), kWithout);
    f.locked(u"posledni.txg"_s, kWithMarker, u"tajné"_s);
    QVERIFY(f.look(301));
    f.find->yieldIntervalMs = 0;
    f.type(u"drak"_s);

    bool sawSearching = false;
    QString label;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    QTimer::singleShot(0, f.find, [&] {
        sawSearching = f.find->searching();
        label = f.find->SearchingLabel->text();
        if (QApplication::overrideCursor())
            cursor = QApplication::overrideCursor()->shape();
        QVERIFY(!f.find->Button1->isEnabled());
        QVERIFY(!f.find->Button4->isEnabled());
        if (how == u"esc")
            QTest::keyClick(f.find, Qt::Key_Escape);
        else if (how == u"close")
            f.find->Button3->click();
        else
            QTest::keyClicks(f.find->Edit1, u"y"_s);
    });
    f.find->Button1->click();

    QVERIFY(sawSearching);
    QVERIFY2(label.startsWith(u"Prohledává se: soubor"_s), qPrintable(label));
    QCOMPARE(cursor, Qt::BusyCursor);
    QVERIFY(!f.find->searching());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(f.find->SearchingLabel->text().isEmpty());
    QVERIFY(f.passwords->shown.isEmpty()); // stopped before the protected file
    QVERIFY(f.fake.dialogs.shown.isEmpty());
    QCOMPARE(f.state.documents.openSlotCount, 1);
    QVERIFY(!f.find->Button5->isEnabled());
    QCOMPARE(f.find->isVisible(), how != u"close");
    if (how != u"close")
        QVERIFY(f.find->Button1->isEnabled());
}

void TestFindFiles::alreadyOpenFile()
{
    Fixture f;
    f.plain(u"b.txt"_s, kWithMarker);
    QVERIFY(f.look(1));
    QVERIFY(f.form->OpenFile(f.path(u"b.txt"_s)));
    f.form->New1->trigger();
    QCOMPARE(f.state.documents.openSlotCount, 3);
    f.type(u"drak"_s);
    f.find->Button1->click();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{u"Soubor "_s + f.path(u"b.txt"_s) + u" je již otevřený."_s});
    QCOMPARE(f.state.documents.openSlotCount, 3);
    QCOMPARE(f.currentFile(), f.path(u"b.txt"_s));
    QCOMPARE(f.selected(), u"drak"_s);
}

void TestFindFiles::searchInDisplayedText()
{
    Fixture f;
    f.plain(u"v.txt"_s, "drak a drak\r\nDRAK\r\n");
    QVERIFY(f.look(1));
    f.type(u"drak"_s);
    f.find->Button1->click();
    QCOMPARE(f.find->FilesFindPos, 0);
    QCOMPARE(f.form->RichEdit2->textCursor().selectionStart(), 0);
    f.find->Button2->click();
    QCOMPARE(f.form->RichEdit2->textCursor().selectionStart(), 7);
    f.find->Button2->click();
    QCOMPARE(f.form->RichEdit2->textCursor().selectionStart(), 12);
    QCOMPARE(f.selected(), u"DRAK"_s);
    f.find->Button2->click();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{kNotFound});
    QCOMPARE(f.find->FilesFindPos, -1);
    // With no current match the next search starts at the beginning.
    f.find->Button2->click();
    QCOMPARE(f.form->RichEdit2->textCursor().selectionStart(), 0);
    // A press in the editor makes the caret the current place.
    QTest::mouseClick(f.form->RichEdit2->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(f.find->FilesFindPos, 0);
    QTextCursor c = f.form->RichEdit2->textCursor();
    c.setPosition(7);
    f.form->RichEdit2->setTextCursor(c);
    f.find->Button2->click(); // from the caret past one phrase length
    QCOMPARE(f.form->RichEdit2->textCursor().selectionStart(), 12);
    f.find->CheckBox1->setChecked(true);
    f.find->Button2->click();
    QCOMPARE(f.fake.dialogs.texts(), (QStringList{kNotFound, kNotFound}));
}

void TestFindFiles::unreadableEntriesAreSkipped()
{
    Fixture f;
    const QDir d(f.dir.path());
    QVERIFY(d.mkdir(u"slozka.txt"_s));
    QVERIFY(QFile::link(f.path(u"nikam"_s), f.path(u"odkaz.txt"_s)));
    QVERIFY(QFile::link(f.path(u"nikam"_s), f.path(u"odkaz.txg"_s)));
    f.plain(u"z.txt"_s, kWithMarker);
    QVERIFY(f.look(1));
    f.type(u"drak"_s);
    f.find->Button1->click();
    QCOMPARE(f.currentFile(), f.path(u"z.txt"_s));
    f.find->Button5->click();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{kNotFound});
    QVERIFY(f.passwords->shown.isEmpty()); // no prompt for a file that cannot be read
}

void TestFindFiles::openSelectedFile()
{
    Fixture f;
    f.plain(u"b.txt"_s, kWithMarker);
    QVERIFY(f.look(1));
    QVERIFY(!f.find->Button4->isEnabled());
    auto *model = static_cast<QFileSystemModel *>(f.find->FileListBox1->model());
    const QModelIndex file = model->index(f.path(u"b.txt"_s));
    QCOMPARE(model->fileIcon(file).isNull(), false);
    f.find->FileListBox1->setCurrentIndex(file);
    QVERIFY(f.find->Button4->isEnabled());
    f.find->Button4->click();
    QCOMPARE(f.currentFile(), f.path(u"b.txt"_s));
    QCOMPARE(f.state.documents.openSlotCount, 2);
}

void TestFindFiles::placeAndSettings_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QPoint>("first");
    QTest::newRow("defaults") << false << QPoint(9, 77);
    QTest::newRow("stored place") << true << QPoint(40, 30);
}

void TestFindFiles::placeAndSettings()
{
    QFETCH(bool, stored);
    QFETCH(QPoint, first);
    Fixture f([&](FakePlatform &p) {
        if (stored) {
            p.settings.exists = true;
            p.settings.values[u"F10Left"_s] = 40;
            p.settings.values[u"F10Top"_s] = 30;
        }
    });
    // The main window stands 800 high inside its frame: 804 with it, and 77 is Trunc(804 × 0.09666).
    QCOMPARE(f.form->frameGeometry().height(), 804);
    // Saved before it was ever shown: no place of its own is written.
    f.form->UlozNas1->trigger();
    QCOMPARE(f.fake.settings.values.value(u"F10Left"_s), stored ? QVariant(40) : QVariant());
    f.form->Najtvuloenchsouborech1->trigger();
    QCOMPARE(f.find->pos(), first);
    f.find->move(60, 50);
    f.form->UlozNas1->trigger();
    QCOMPARE(f.fake.settings.values.value(u"F10Left"_s), QVariant(60));
    QCOMPARE(f.fake.settings.values.value(u"F10Top"_s), QVariant(50));
    f.form->Puvodni->trigger();
    QCOMPARE(f.find->pos(), QPoint(9, 77));
}

void TestFindFiles::startsInDataUnderInstallation()
{
    QTemporaryDir install;
    QVERIFY(QDir(install.path()).mkdir(u"Data"_s));
    Fixture f([&](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values[u"Dir"_s] = install.path();
    });
    QCOMPARE(f.find->directory(), QDir(install.path()).filePath(u"Data"_s));
}

QTEST_MAIN(TestFindFiles)
#include "tst_findfiles.moc"
