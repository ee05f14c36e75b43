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
    bool look(int files)
    {
        form->Najtvuloenchsouborech1->trigger();
        find->setDirectory(dir.path());
        return QTest::qWaitFor([&] { return find->fileCount() == files; }, 10000);
    }
    void type(const QString &phrase)
    {
        find->Edit1->clear();
        QTest::keyClicks(find->Edit1, phrase);
    }
    QString selected() const { return form->RichEdit2->textCursor().selectedText(); }
    QString currentFile() { return state.documents.current().fileName; }
};

// Consultation texts by letter: M has "drak" at 8 behind a marker line, D at
// 0, P inside a word, W and E (empty) and K (a marker line alone) have none,
// V has it thrice.
QByteArray Form(QChar kind)
{
    switch (kind.unicode()) {
    case u'M': return "CHHEX:789968\r\nOt\xE1zka: drak?\r\nkonec\r\n";
    case u'D': return "Drak na za\xE8\xE1tku\r\n";
    case u'W': return "Ot\xE1zka: kam?\r\n";
    case u'P': return "Podrakem.\r\n";
    case u'K': return "CHHEX:777777\r\n";
    case u'V': return "drak a drak\r\nDRAK\r\n";
    default: return {};
    }
}

} // namespace

class TestFindFiles : public QObject {
    Q_OBJECT
private slots:
    void scenarios_data();
    void scenarios();
    void nineWindows();
    void alreadyOpenFile();
    void changesEndTheSearch_data();
    void changesEndTheSearch();
    void longSearchCanBeStopped_data();
    void longSearchCanBeStopped();
    void openSelectedFile();
    void chosenFolderStaysWhileItsParentChanges();
    void placeAndSettings_data();
    void placeAndSettings();
    void startsInDataUnderInstallation();
    void foldersListedAtFirstShowing();
};

// files: "name=K" or "name=K/key" (a form of Form(), protected under key),
// "dir:name", "link:name" (to nothing), "gone:name=K" (listed, then deleted).
// presses: 1, 5, 2 the buttons; w toggles whole words; c closes the window and
// opens it again; x closes the current consultation; m clicks into the editor;
// t changes the text (blanks around it). turns: the password
// entries, "-" for "Přeskočit", "!" for "Ukončit". The log has, per press, a
// line per prompt, per message and for what a search selected in the editor.
void TestFindFiles::scenarios_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("presses");
    QTest::addColumn<QStringList>("turns");
    QTest::addColumn<QStringList>("log");
    const QString nf = u"msg "_s + kNotFound;
    QTest::newRow("plain first, then one password for every protected file")
        << QStringList{u"a.txt=W"_s, u"b.txt=M"_s, u"c.txg=D/tajné"_s, u"d.txg=W/tajné"_s} << u"155"_s
        << QStringList{u" tajné "_s} << QStringList{u"at b.txt 8"_s, u"ask"_s, u"at c.txg 0"_s, nf};
    QTest::newRow("no plain file") << QStringList{u"x.txg=M/heslo"_s} << u"1"_s << QStringList{u"heslo"_s}
                                   << QStringList{u"ask"_s, u"at x.txg 8"_s};
    QTest::newRow("an empty file and a hidden marker never match")
        << QStringList{u"e.txt=E"_s, u"k.txt=K"_s, u"l.txg=K/a"_s} << u"1"_s << QStringList{u"a"_s}
        << QStringList{u"ask"_s, nf};
    QTest::newRow("whole words only") << QStringList{u"a.txt=P"_s, u"b.txt=M"_s} << u"w1"_s << QStringList{}
                                      << QStringList{u"at b.txt 8"_s};
    QTest::newRow("the file vanished after the listing")
        << QStringList{u"gone:b.txt=M"_s} << u"1"_s << QStringList{} << QStringList{nf};
    QTest::newRow("unreadable entries are skipped without a prompt")
        << QStringList{u"dir:slozka.txt"_s, u"link:odkaz.txt"_s, u"link:odkaz.txg"_s, u"z.txt=M"_s} << u"15"_s
        << QStringList{} << QStringList{u"at z.txt 8"_s, nf};
    QTest::newRow("Přeskočit goes on") << QStringList{u"r.txg=M/tajné"_s} << u"1"_s << QStringList{u"-"_s}
                                       << QStringList{u"ask"_s, nf};
    QTest::newRow("Ukončit closes the window") << QStringList{u"r.txg=M/tajné"_s} << u"1"_s << QStringList{u"!"_s}
                                               << QStringList{u"ask"_s, u"closed"_s};
    QTest::newRow("a wrong password, then the right one")
        << QStringList{u"s.txg=M/tajné"_s} << u"1"_s << QStringList{u"Tajné"_s, u"tajné"_s}
        << QStringList{u"ask"_s, u"ask"_s, u"msg Chybné heslo v souboru: DIR/s.txg"_s, u"at s.txg 8"_s};
    QTest::newRow("the wrong password stays after Přeskočit")
        << QStringList{u"t.txg=M/tajné"_s} << u"11"_s << QStringList{u"omyl"_s, u"-"_s, u"-"_s}
        << QStringList{u"ask"_s, u"ask"_s, u"msg Chybné heslo v souboru: DIR/t.txg"_s, nf, u"ask"_s,
                       u"msg Chybné heslo v souboru: DIR/t.txg"_s, nf};
    QTest::newRow("the password is kept while open, asked again after closing")
        << QStringList{u"r.txg=M/tajné"_s} << u"1xt1xc1"_s << QStringList{u"tajné"_s, u"tajné"_s}
        << QStringList{u"ask"_s, u"at r.txg 8"_s, u"at r.txg 8"_s, u"ask"_s, u"at r.txg 8"_s};
    // After the last match none is current; a press in the editor makes the caret current.
    QTest::newRow("in the displayed text") << QStringList{u"v.txt=V"_s} << u"12222m2"_s << QStringList{}
                                           << QStringList{u"at v.txt 0"_s, u"at v.txt 7"_s, u"at v.txt 12"_s, nf,
                                                          u"at v.txt 0"_s, u"at v.txt 7"_s};
}

void TestFindFiles::scenarios()
{
    QFETCH(QStringList, files);
    QFETCH(QString, presses);
    QFETCH(QStringList, turns);
    QFETCH(QStringList, log);
    Fixture f;
    QStringList gone;
    int listed = 0;
    for (QString spec : files) {
        if (spec.startsWith(u"dir:"_s)) {
            QVERIFY(QDir(f.dir.path()).mkdir(spec.mid(4)));
            continue;
        }
        if (spec.startsWith(u"link:"_s)) {
            QVERIFY(QFile::link(f.path(u"nikam"_s), f.path(spec.mid(5))));
            continue;
        }
        if (spec.startsWith(u"gone:"_s))
            gone << (spec = spec.mid(5)).section(u'=', 0, 0);
        const QString name = spec.section(u'=', 0, 0), form = spec.section(u'=', 1);
        if (form.contains(u'/'))
            f.locked(name, Form(form[0]), form.section(u'/', 1));
        else
            f.plain(name, Form(form[0]));
        ++listed;
    }
    QVERIFY(f.look(listed));
    for (const QString &t : turns)
        f.passwords->turns << SearchPasswordDlg::Turn{
            t == u"-"_s ? SearchPasswordDlg::Skip : t == u"!"_s ? SearchPasswordDlg::Quit : SearchPasswordDlg::Ok, t};
    f.type(u"drak"_s);
    for (const QString &name : gone)
        QVERIFY(QFile::remove(f.path(name)));

    QStringList seen;
    qsizetype asked = 0, told = 0;
    const auto place = [&] {
        const QTextCursor c = f.form->RichEdit2->textCursor();
        return std::tuple(f.state.documents.openSlotCount, f.state.documents.currentSlot, c.selectionStart(),
                          c.selectionEnd());
    };
    for (QChar press : presses) {
        const auto before = place();
        const qsizetype toldBefore = f.fake.dialogs.shown.size();
        switch (press.unicode()) {
        case u'1': f.find->Button1->click(); break;
        case u'5': f.find->Button5->click(); break;
        case u'2': f.find->Button2->click(); break;
        case u'w': f.find->CheckBox2->setChecked(true); break;
        case u'x': f.form->ZavOkno->trigger(); break;
        case u't': f.find->Edit1->setText(u" drak"_s); break;
        case u'm': QTest::mouseClick(f.form->RichEdit2->viewport(), Qt::LeftButton, {}, QPoint(2, 2)); break;
        case u'c':
            f.find->Button3->click();
            f.form->Najtvuloenchsouborech1->trigger();
            QVERIFY(QTest::qWaitFor([&] { return f.find->Button1->isEnabled(); }));
            break;
        }
        for (; asked < f.passwords->shown.size(); ++asked)
            seen << u"ask"_s;
        for (; told < f.fake.dialogs.shown.size(); ++told)
            seen << u"msg "_s + f.fake.dialogs.shown[told].text.replace(f.dir.path(), u"DIR"_s);
        if (!f.find->isVisible() && press != u'x') {
            seen << u"closed"_s;
            break;
        }
        // Something opened or selected: a new place, or a search in the text that told nothing.
        const QTextCursor c = f.form->RichEdit2->textCursor();
        const bool searched = press == u'1' || press == u'5' || press == u'2';
        if (searched && c.hasSelection()
            && (place() != before || (press == u'2' && f.fake.dialogs.shown.size() == toldBefore))) {
            QCOMPARE(c.selectedText().toLower(), u"drak"_s);
            seen << u"at %1 %2"_s.arg(QFileInfo(f.currentFile()).fileName()).arg(c.selectionStart());
        }
    }
    QCOMPARE(seen, log);
    // Every prompt was set up for the search, and the dialog set back after it.
    for (const SearchPasswordDlg::Showing &s : f.passwords->shown) {
        QVERIFY(s.caption.startsWith(u"Heslo - "_s) && QFile::exists(f.path(s.caption.mid(8))));
        QCOMPARE(s.cancelText, u"Přeskočit"_s);
        QVERIFY(s.quitShown && s.masked);
    }
    QCOMPARE(f.passwords->windowTitle(), u"Heslo"_s);
    QCOMPARE(f.passwords->CancelBtn->text(), u"Storno"_s);
    QVERIFY(f.passwords->Button1->isHidden());
    QVERIFY(!f.find->searching());
}

void TestFindFiles::nineWindows()
{
    Fixture f;
    f.plain(u"b.txt"_s, Form(u'M'));
    f.plain(u"c.txt"_s, Form(u'M'));
    QVERIFY(f.look(2));
    for (int i = 0; i < 7; ++i)
        f.form->New1->trigger();
    f.type(u"drak"_s);
    // Eight open: the first match opens the ninth, and going on is refused.
    f.find->Button1->click();
    QCOMPARE(f.state.documents.openSlotCount, 9);
    f.find->Button5->click();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{TForm10::kNineWindows});
    f.find->Edit1->setText(u"drak "_s);
    f.find->Button1->click();
    QCOMPARE(f.fake.dialogs.texts(), (QStringList{TForm10::kNineWindows, TForm10::kNineWindows}));
    QCOMPARE(f.state.documents.openSlotCount, 9);
}

void TestFindFiles::alreadyOpenFile()
{
    Fixture f;
    f.plain(u"b.txt"_s, Form(u'M'));
    QVERIFY(f.look(1));
    QVERIFY(f.form->OpenFile(f.path(u"b.txt"_s)));
    f.form->New1->trigger();
    f.type(u"drak"_s);
    f.find->Button1->click();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{u"Soubor "_s + f.path(u"b.txt"_s) + u" je již otevřený."_s});
    QCOMPARE(f.state.documents.openSlotCount, 3);
    QCOMPARE(f.currentFile(), f.path(u"b.txt"_s));
    QCOMPARE(f.selected(), u"drak"_s);
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
    f.plain(u"b.txt"_s, Form(u'M'));
    f.plain(u"c.txt"_s, Form(u'M'));
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

// The watcher drops a folder's row when a listing of its parent that began
// before the folder was made comes in; the list must stay on the folder the
// user chose, not move to a neighbour. Starting in a folder beside the test's
// folder makes the window list their parent just before the test's is made.
void TestFindFiles::chosenFolderStaysWhileItsParentChanges()
{
    const QString before = QDir::currentPath();
    QTemporaryDir start;
    QVERIFY(QDir::setCurrent(start.path()));
    Fixture f;
    QDir::setCurrent(before);
    f.plain(u"x.txt"_s, Form(u'M'));
    QVERIFY(f.look(1));
    QTest::qWait(500);
    QCOMPARE(f.find->directory(), f.dir.path());
    QCOMPARE(f.find->fileCount(), 1);
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
        f.plain(u"soubor%1.txt"_s.arg(i), Form(u'W'));
    f.locked(u"posledni.txg"_s, Form(u'M'), u"tajné"_s);
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

    // While it ran the window said where it was, under a busy cursor.
    QVERIFY(sawSearching && label.startsWith(u"Prohledává se: soubor"_s));
    QCOMPARE(cursor, Qt::BusyCursor);
    QVERIFY(!f.find->searching() && !QApplication::overrideCursor() && f.find->SearchingLabel->text().isEmpty());
    // Stopped before the protected file: no prompt, no message, nothing opened.
    QVERIFY(f.passwords->shown.isEmpty() && f.fake.dialogs.shown.isEmpty());
    QCOMPARE(f.state.documents.openSlotCount, 1);
    QVERIFY(!f.find->Button5->isEnabled());
    QCOMPARE(f.find->isVisible(), how != u"close");
    QVERIFY(how == u"close" || f.find->Button1->isEnabled());
}

void TestFindFiles::openSelectedFile()
{
    Fixture f;
    f.plain(u"b.txt"_s, Form(u'M'));
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

void TestFindFiles::foldersListedAtFirstShowing()
{
    // A start that never searches files runs no folder threads.
    Fixture f;
    QVERIFY(!f.find->DirectoryListBox1->model());
    QVERIFY(!f.find->FileListBox1->model());
    QCOMPARE(f.find->DriveComboBox1->count(), 0);
    const QString start = f.find->directory();
    f.form->Najtvuloenchsouborech1->trigger();
    QVERIFY(f.find->DirectoryListBox1->model());
    QVERIFY(f.find->DriveComboBox1->count() > 0);
    QCOMPARE(f.find->directory(), start);
    QVERIFY(f.find->DirectoryListBox1->currentIndex().isValid());
}

QTEST_MAIN(TestFindFiles)
#include "tst_findfiles.moc"
