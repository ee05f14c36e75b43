// The journal window on folders built here: what the list shows for known
// casts, the password asked once for a folder (given, skipped, unlocking
// later), sorting and filtering with the statistics following the filter,
// opening a consultation by double-click and Enter, and stopping, replacing
// or closing a reading under way.

#include "files/ConsultationFile.h"
#include "support/MainWindowFixture.h"
#include "support/ScriptedPasswordDlg.h"
#include "tools/JournalStats.h"
#include "tools/JournalWindow.h"
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QTest>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

// name=CAST|HEADER|QUESTION, or name=CAST|HEADER|QUESTION/key for a protected
// file; CAST "-" writes no marker line.
void WriteConsultation(const QString &folder, const QString &spec)
{
    const qsizetype eq = spec.indexOf(u'=');
    const QString name = spec.left(eq);
    QString body = spec.mid(eq + 1), key;
    if (const qsizetype slash = body.indexOf(u'/'); slash >= 0) {
        key = body.mid(slash + 1);
        body.truncate(slash);
    }
    const QStringList parts = body.split(u'|');
    QStringList lines;
    if (parts[0] != u"-")
        lines << u"CHHEX:"_s + parts[0];
    lines << parts.value(1) << u"Otázka: "_s + parts.value(2) << u"Výklad."_s;
    const QString path = QDir(folder).filePath(name);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(ConsultationFile::SavedForm(path, lines, key));
}

// Made before the windows, which look for the Data folder when they start.
struct Installation {
    QTemporaryDir install;
    explicit Installation(const QStringList &files)
    {
        QDir(install.path()).mkdir(u"Data"_s);
        for (const QString &spec : files)
            WriteConsultation(data(), spec);
    }
    QString data() const { return QDir(install.path()).filePath(u"Data"_s); }
};

struct Fixture : Installation, MainWindowFixture {
    ScriptedPasswordDlg *passwords = nullptr;
    JournalWindow *journal = nullptr;

    // The journal starts in Data under the installation folder, filled with files.
    explicit Fixture(const QStringList &files = {})
        : Installation(files), MainWindowFixture([this](FakePlatform &p) {
            p.settings.exists = true;
            p.settings.values[u"Dir"_s] = install.path();
        })
    {
        passwords = new ScriptedPasswordDlg(fake.dialogs, form);
        form->setPasswordDialog(passwords);
        journal = windows->journal;
    }
    // Opens the journal through the menu and waits until it has read the folder.
    bool open()
    {
        QSignalSpy done(journal, &JournalWindow::readingDone);
        form->DenikKonzultaci1->trigger();
        return QTest::qWaitFor([&] { return !done.isEmpty() && !journal->reading(); }, 20000);
    }
    bool relist(const std::function<void()> &change)
    {
        QSignalSpy done(journal, &JournalWindow::readingDone);
        change();
        return QTest::qWaitFor([&] { return !done.isEmpty() && !journal->reading(); }, 20000);
    }

    // What the list shows, row by row: the cells joined by " | ".
    QStringList rows() const
    {
        QStringList out;
        const QAbstractItemModel *m = journal->List->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < m->columnCount(); ++c)
                cells << m->index(r, c).data().toString();
            out << cells.join(u" | "_s);
        }
        return out;
    }
    // The file names shown, in the list's order.
    QStringList files() const
    {
        QStringList out;
        const QAbstractItemModel *m = journal->List->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, JournalModel::File).data().toString();
        return out;
    }
};

// Four consultations whose casts, dates and questions differ.
const QStringList kFolder = {
    u"f1.txt=789968|05.01.26, 9:00:00|Mám změnit práci?"_s, // 55 → 3, lines 3, 4, 5
    u"f2.txt=777777|20.12.25, 18:30:00|Cesta do Brna"_s,     // 1, no change
    u"f3.txt=888886|05.01.26, 8:59:59|Jak na práci v cizině?"_s, // 2 → 23, line 6
    u"f10.txt=678999|bez data|Zahrada"_s,                    // 6 → 19, lines 1, 4, 5, 6
    u"poznamka.txt=-|05.01.26, 9:00:00|Bez hodu"_s,         // no marker: not a consultation
};

} // namespace

class TestJournalWindow : public QObject {
    Q_OBJECT
private slots:
    void listsTheFolder_data();
    void listsTheFolder();
    void unlockLater();
    void sortAndFilter_data();
    void sortAndFilter();
    void opensConsultations_data();
    void opensConsultations();
    void readingCanBeStoppedReplacedAndClosed();
    void placeIsSaved();
};

// turns: the password entries, a null string for "Přeskočit".
void TestJournalWindow::listsTheFolder_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("turns");
    QTest::addColumn<int>("asked");
    QTest::addColumn<QStringList>("rows"); // sorted by file name
    QTest::addColumn<int>("locked");
    const QString a = u"a.txt=789968|05.01.26, 9:00:00|Mám změnit práci?"_s;
    const QString rowA = u"05.01.26, 9:00:00 | Mám změnit práci? | 55. Hojnost | 3. Rození | 3, 4, 5 | a.txt"_s;
    const QString rowP = u"06.01.26, 10:00:00 | Tajná | 1. Tvoření | – | – | p.txg"_s;
    const QString lockedP = u"zamčeno | (chráněný soubor, otevře ho heslo) | ? |  |  | p.txg"_s;
    QTest::newRow("plain files: no password asked")
        << QStringList{a, u"b.txt=-|x|bez hodu"_s, u"c.txt=77|x|poškozený hod"_s} << QStringList{} << 0
        << QStringList{rowA} << 0;
    QTest::newRow("protected files: the password once for the folder")
        << QStringList{a, u"p.txg=777777|06.01.26, 10:00:00|Tajná/klíč"_s,
                       u"q.txg=888888|07.01.26, 10:00:00|Druhá/klíč"_s}
        << QStringList{u"klíč"_s} << 1
        << QStringList{rowA, rowP, u"07.01.26, 10:00:00 | Druhá | 2. Vnímání | – | – | q.txg"_s} << 0;
    QTest::newRow("skipped: protected files stay locked")
        << QStringList{a, u"p.txg=777777|06.01.26, 10:00:00|Tajná/klíč"_s} << QStringList{QString()} << 1
        << QStringList{rowA, lockedP} << 1;
    QTest::newRow("a password that opens only some")
        << QStringList{u"p.txg=777777|06.01.26, 10:00:00|Tajná/klíč"_s, u"r.txg=888888|x|Jiná/jiný"_s}
        << QStringList{u"klíč"_s} << 1
        << QStringList{rowP, u"zamčeno | (chráněný soubor, otevře ho heslo) | ? |  |  | r.txg"_s} << 1;
    QTest::newRow("empty folder") << QStringList{} << QStringList{} << 0 << QStringList{} << 0;
}

void TestJournalWindow::listsTheFolder()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, turns);
    QFETCH(int, asked);
    QFETCH(QStringList, rows);
    QFETCH(int, locked);
    Fixture f(files);
    for (const QString &t : turns)
        f.passwords->entries.enqueue(t);
    QVERIFY(f.form->DenikKonzultaci1->isEnabled());
    QVERIFY(f.open());
    QCOMPARE(f.journal->folder(), f.data());
    f.journal->List->sortByColumn(JournalModel::File, Qt::AscendingOrder);
    QCOMPARE(f.rows(), rows);
    QCOMPARE(f.passwords->captions.size(), asked);
    QCOMPARE(f.journal->model().lockedCount(), locked);
    QCOMPARE(f.journal->UnlockButton->isEnabled(), locked > 0);
    QVERIFY(!f.journal->StopButton->isEnabled());
    // A locked row is greyed and carries the lock.
    for (int r = 0; r < f.journal->List->model()->rowCount(); ++r) {
        const QModelIndex date = f.journal->List->model()->index(r, JournalModel::Date);
        const bool isLocked = date.data(JournalModel::kLockedRole).toBool();
        QCOMPARE(date.data(Qt::DecorationRole).isValid(), isLocked);
        QCOMPARE(date.data(Qt::ForegroundRole).isValid(), isLocked);
    }
}

void TestJournalWindow::unlockLater()
{
    Fixture f({u"p.txg=777777|06.01.26, 10:00:00|Tajná/klíč"_s, u"r.txg=888888|07.01.26, 10:00:00|Jiná/jiný"_s,
               u"s.txg=-|x|bez hodu/jiný"_s});
    f.passwords->entries << QString(); // skipped at first
    QVERIFY(f.open());
    QCOMPARE(f.journal->model().lockedCount(), 3);
    // A wrong password opens nothing; the right ones open theirs, and a
    // protected file that holds no cast leaves the list once it is opened.
    f.passwords->entries << u"omyl"_s << u"klíč"_s << u"jiný"_s;
    const QList<int> lockedAfter = {3, 2, 0};
    for (int stillLocked : lockedAfter) {
        QVERIFY(f.relist([&] { f.journal->UnlockButton->click(); }));
        QCOMPARE(f.journal->model().lockedCount(), stillLocked);
    }
    QCOMPARE(f.passwords->captions.size(), 4);
    QCOMPARE(f.files(), (QStringList{u"r.txg"_s, u"p.txg"_s})); // the newest first
    QVERIFY(!f.journal->UnlockButton->isEnabled());
}

// sort: a column and order; text and hexagram: the filter. The statistics
// count exactly the rows shown.
void TestJournalWindow::sortAndFilter_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("hexagram");
    QTest::addColumn<QStringList>("shown");
    using C = JournalModel;
    // Dates in time order, the header that is no date after them; a second apart counts.
    QTest::newRow("date") << int(C::Date) << false << "" << 0
                          << QStringList{u"f2.txt"_s, u"f3.txt"_s, u"f1.txt"_s, u"f10.txt"_s};
    QTest::newRow("date, newest first") << int(C::Date) << true << "" << 0
                                        << QStringList{u"f10.txt"_s, u"f1.txt"_s, u"f3.txt"_s, u"f2.txt"_s};
    QTest::newRow("question") << int(C::Question) << false << "" << 0
                              << QStringList{u"f2.txt"_s, u"f3.txt"_s, u"f1.txt"_s, u"f10.txt"_s};
    QTest::newRow("hexagram by number") << int(C::Hexagram) << false << "" << 0
                                        << QStringList{u"f2.txt"_s, u"f3.txt"_s, u"f10.txt"_s, u"f1.txt"_s};
    QTest::newRow("developing: none first") << int(C::Developing) << false << "" << 0
                                            << QStringList{u"f2.txt"_s, u"f1.txt"_s, u"f10.txt"_s, u"f3.txt"_s};
    QTest::newRow("changing lines: fewest first") << int(C::Changing) << false << "" << 0
                                                  << QStringList{u"f2.txt"_s, u"f3.txt"_s, u"f1.txt"_s, u"f10.txt"_s};
    QTest::newRow("file names with numbers") << int(C::File) << false << "" << 0
                                             << QStringList{u"f1.txt"_s, u"f2.txt"_s, u"f3.txt"_s, u"f10.txt"_s};
    QTest::newRow("text in the question, any case") << int(C::File) << false << "PRÁ" << 0
                                                    << QStringList{u"f1.txt"_s, u"f3.txt"_s};
    QTest::newRow("text in the file name") << int(C::File) << false << "f1" << 0
                                           << QStringList{u"f1.txt"_s, u"f10.txt"_s};
    QTest::newRow("hexagram cast") << int(C::File) << false << "" << 2 << QStringList{u"f3.txt"_s};
    QTest::newRow("hexagram developing") << int(C::File) << false << "" << 3 << QStringList{u"f1.txt"_s};
    QTest::newRow("text and hexagram") << int(C::File) << false << "zahrada" << 19 << QStringList{u"f10.txt"_s};
    QTest::newRow("nothing matches") << int(C::File) << false << "drak" << 0 << QStringList{};
}

void TestJournalWindow::sortAndFilter()
{
    QFETCH(int, column);
    QFETCH(bool, descending);
    QFETCH(QString, text);
    QFETCH(int, hexagram);
    QFETCH(QStringList, shown);
    Fixture f(kFolder);
    QVERIFY(f.open());
    f.journal->Pages->setCurrentIndex(1);
    f.journal->List->sortByColumn(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    f.journal->FilterEdit->setText(text);
    f.journal->HexagramBox->setCurrentIndex(hexagram);
    QCOMPARE(f.files(), shown);
    // The statistics speak of the same consultations: six line values each,
    // and the hexagrams they cast.
    const JournalStats &stats = *f.journal->Stats;
    QCOMPARE(stats.fairness().values, 6 * shown.size());
    const std::array<int, 64> counts = stats.Grid->counts();
    QCOMPARE(std::accumulate(counts.begin(), counts.end(), 0), int(shown.size()));
    const QHash<QString, int> cast = {{u"f1.txt"_s, 55}, {u"f2.txt"_s, 1}, {u"f3.txt"_s, 2}, {u"f10.txt"_s, 6}};
    for (const QString &name : shown)
        QVERIFY2(counts[cast[name] - 1] >= 1, qPrintable(name));
    // A cell of a hexagram that came up leads to its consultations.
    if (hexagram == 0 && text.isEmpty()) {
        HexagramGrid &grid = *stats.Grid;
        const QPoint f1(int(grid.width() * (6.5 / 8)), int(grid.height() * (6.5 / 8))); // 55: row 7, column 7
        QTest::mouseClick(&grid, Qt::LeftButton, {}, f1);
        QCOMPARE(f.journal->Pages->currentIndex(), 0);
        QCOMPARE(f.journal->HexagramBox->currentIndex(), 55);
        QCOMPARE(f.files(), QStringList{u"f1.txt"_s});
        f.journal->Pages->setCurrentIndex(1);
    }
    // Filtering while the statistics are hidden counts too, once they show.
    f.journal->Pages->setCurrentIndex(0);
    f.journal->FilterEdit->clear();
    f.journal->HexagramBox->setCurrentIndex(0);
    f.journal->Pages->setCurrentIndex(1);
    QCOMPARE(stats.fairness().values, 24);
}

void TestJournalWindow::opensConsultations_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("turns"); // the folder's password, then any the opening asks for
    QTest::addColumn<bool>("enter");
    QTest::addColumn<int>("asked");
    QTest::newRow("plain, double-click") << "f1.txt" << QStringList{u"klíč"_s} << false << 1;
    QTest::newRow("plain, Enter") << "f2.txt" << QStringList{u"klíč"_s} << true << 1;
    QTest::newRow("unlocked: its key is used again") << "p.txg" << QStringList{u"klíč"_s} << true << 1;
    QTest::newRow("locked: asked as any opening") << "p.txg" << QStringList{QString(), u"klíč"_s} << false << 2;
}

void TestJournalWindow::opensConsultations()
{
    QFETCH(QString, file);
    QFETCH(QStringList, turns);
    QFETCH(bool, enter);
    QFETCH(int, asked);
    Fixture f(kFolder + QStringList{u"p.txg=777777|06.01.26, 10:00:00|Tajná/klíč"_s});
    for (const QString &t : turns)
        f.passwords->entries.enqueue(t);
    QVERIFY(f.open());
    QTableView *list = f.journal->List;
    const int row = int(f.files().indexOf(file));
    QVERIFY(row >= 0);
    const QModelIndex at = list->model()->index(row, JournalModel::Question);
    list->setCurrentIndex(at);
    QVERIFY(f.journal->OpenButton->isEnabled());
    if (enter) {
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        // A real double-click: the first press picks the row, the second opens it.
        const QPoint centre = list->visualRect(at).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    }
    QCOMPARE(f.state.documents.current().fileName, QDir(f.data()).filePath(file));
    QVERIFY(f.form->RichEdit2->toPlainText().contains(u"Otázka: "_s));
    QCOMPARE(f.passwords->captions.size(), asked);
    // Opened once: a second Enter switches to it and says so.
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(f.state.documents.openSlotCount, 2);
}

void TestJournalWindow::readingCanBeStoppedReplacedAndClosed()
{
    QStringList many;
    for (int i = 0; i < 60; ++i)
        many << u"k%1.txt=777777|05.01.26, 9:00:00|Otázka %1"_s.arg(i, 2, 10, u'0');
    QSemaphore go; // outlives the window's threads, which wait on it
    Fixture f(many);
    // A failing check must not leave a thread waiting for the window to join.
    const auto release = qScopeGuard([&go] { go.release(1 << 20); });
    QTemporaryDir other;
    WriteConsultation(other.path(), u"x.txt=888888|05.01.26, 9:00:00|Jinde"_s);
    WriteConsultation(other.path(), u"y.txt=789968|05.01.26, 9:00:00|Jinde"_s);
    // The reading waits before each file until the test lets it go on.
    JournalReader &reader = f.journal->reader();
    reader.batchSize = 1;
    reader.beforeFile = [&go] { go.acquire(); };
    // Lets every reading run to its end and delivers what the threads sent.
    auto finish = [&] {
        go.release(1000);
        QVERIFY(QTest::qWaitFor([&] { return reader.threadsDone(); }, 20000));
        QCoreApplication::processEvents();
        go.acquire(go.available());
    };

    // Stopped after five files: those five stay, nothing more comes.
    f.form->DenikKonzultaci1->trigger();
    QVERIFY(f.journal->reading());
    QVERIFY(f.journal->StopButton->isEnabled());
    go.release(5);
    QTRY_COMPARE(f.journal->model().rowCount(), 5);
    QVERIFY(f.journal->Progress->isVisible());
    QCOMPARE(f.journal->Progress->maximum(), 60);
    f.journal->StopButton->click();
    QVERIFY(!f.journal->reading() && !f.journal->StopButton->isEnabled());
    finish();
    QCOMPARE(f.journal->model().rowCount(), 5);

    // Another folder while the first is read again: only its own files arrive.
    f.journal->SubfoldersBox->setChecked(true);
    go.release(3);
    QTRY_VERIFY(f.journal->model().rowCount() >= 3);
    f.journal->setFolder(other.path());
    finish();
    QCOMPARE(f.files(), (QStringList{u"y.txt"_s, u"x.txt"_s})); // same time: by name, turned with the order

    // Esc stops, and closing during a reading leaves nothing behind.
    f.journal->SubfoldersBox->setChecked(false);
    QVERIFY(f.journal->reading());
    QTest::keyClick(f.journal, Qt::Key_Escape);
    QVERIFY(!f.journal->reading());
    finish();
    QCOMPARE(f.journal->model().rowCount(), 0);
    f.journal->setFolder(f.data());
    go.release(2);
    QTRY_VERIFY(f.journal->model().rowCount() >= 2);
    f.journal->close();
    QCOMPARE(f.journal->model().rowCount(), 0);
    finish();
    QCOMPARE(f.journal->model().rowCount(), 0);
    // Shown again, it reads the folder anew; the window goes while a reading runs.
    reader.beforeFile = {};
    QVERIFY(f.open());
    QCOMPARE(f.journal->model().rowCount(), 60);
    f.journal->setFolder(f.data() + u"/.."_s);
}

void TestJournalWindow::placeIsSaved()
{
    Fixture f;
    f.form->UlozNas1->trigger();
    QVERIFY(!f.fake.settings.values.contains(u"JournalLeft"_s)); // never shown: no place
    QVERIFY(f.open());
    f.journal->move(70, 60);
    f.journal->resize(900, 600);
    f.form->UlozNas1->trigger();
    const auto &v = f.fake.settings.values;
    QCOMPARE(QRect(v[u"JournalLeft"_s].toInt(), v[u"JournalTop"_s].toInt(), v[u"JournalWidth"_s].toInt(),
                   v[u"JournalHeight"_s].toInt()),
             QRect(70, 60, 900, 600));
}

QTEST_MAIN(TestJournalWindow)
#include "tst_journalwindow.moc"
