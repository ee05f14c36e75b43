// The keys of the main window: the usual file, print and quit keys reach
// their commands, "Zpět" and "Znovu" work within one consultation, no key
// is bound twice, and F1 to F8 still pick the trigrams.

#include "reading/Corpus.h"
#include "support/MainWindowFixture.h"
#include "tools/Zendra12F2.h"
#include <QAction>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

namespace {
QAction *Item(TForm1 &w, const QString &name) { return w.findChild<QAction *>(name); }

// Shortcuts answer in the active window only.
void Focus(TForm1 &w)
{
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.RichEdit2->setFocus();
}
} // namespace

class TestShortcuts : public QObject {
    Q_OBJECT
private slots:
    void keysReachTheirCommands_data();
    void keysReachTheirCommands();
    void noKeyIsTakenTwice();
    void functionKeysStillPickTrigrams_data();
    void functionKeysStillPickTrigrams();
    void undoAndRedo_data();
    void undoAndRedo();
    void undoStaysInItsConsultation();
};

void TestShortcuts::keysReachTheirCommands_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("key");
    QTest::newRow("Nový") << "New1" << "Ctrl+N";
    QTest::newRow("Otevřít...") << "Open1" << "Ctrl+O";
    QTest::newRow("Uložit") << "Save1" << "Ctrl+S";
    QTest::newRow("Uložit Jako...") << "SaveAs1" << "Ctrl+Shift+S";
    QTest::newRow("Tisk...") << "Tisk" << "Ctrl+P";
    QTest::newRow("Konec") << "Exit1" << "Ctrl+Q";
    // The editor takes these itself; the menu shows them.
    QTest::newRow("Vyjmout") << "Cut1" << "Ctrl+X";
    QTest::newRow("Kopírovat") << "Copy1" << "Ctrl+C";
    QTest::newRow("Vložit") << "Paste1" << "Ctrl+V";
    QTest::newRow("Zpět") << "Zpet1" << "Ctrl+Z";
    QTest::newRow("Znovu") << "Znovu1" << "Ctrl+Y";
}

void TestShortcuts::keysReachTheirCommands()
{
    QFETCH(QString, item);
    QFETCH(QString, key);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QAction *action = Item(w, item);
    QVERIFY(action);
    QCOMPARE(action->shortcut(), QKeySequence(key));
    static const QStringList editorKeys = {"Cut1", "Copy1", "Paste1", "Zpet1", "Znovu1"};
    if (editorKeys.contains(item))
        return; // their effect on the text: undoAndRedo and the editing tests
    QSignalSpy triggered(action, &QAction::triggered);
    Focus(w);
    QTest::keySequence(w.RichEdit2, QKeySequence(key));
    QCOMPARE(triggered.size(), 1);
    if (item == u"New1")
        QCOMPARE(w.caption(), QStringLiteral("Zendra  Nový 2"));
    if (item == u"Exit1")
        QVERIFY(!w.isVisible()); // nothing unsaved: the window closes without asking
}

void TestShortcuts::noKeyIsTakenTwice()
{
    MainWindowFixture f;
    QHash<QKeySequence, QString> seen;
    for (QAction *a : f.form->findChildren<QAction *>()) {
        for (const QKeySequence &key : a->shortcuts()) {
            QVERIFY2(!seen.contains(key), qPrintable(key.toString() + u' ' + seen.value(key) + u' ' + a->objectName()));
            seen.insert(key, a->objectName());
            // The table answers these keys on their release; a shortcut would take their press.
            const int k = key[0].key();
            QVERIFY2(!(k >= Qt::Key_F1 && k <= Qt::Key_F12) && k != Qt::Key_Escape && k != Qt::Key_Tab,
                     qPrintable(key.toString()));
        }
    }
    QVERIFY(seen.size() >= 11);
}

void TestShortcuts::functionKeysStillPickTrigrams_data()
{
    // With no stored settings the arrangement is "&Wen"; a trigram picked
    // twice gives the hexagram that doubles it.
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("hexagram");
    QTest::newRow("F1 Oheň") << 1 << 30;
    QTest::newRow("F2 Země") << 2 << 2;
    QTest::newRow("F3 Jezero") << 3 << 58;
    QTest::newRow("F4 Nebe") << 4 << 1;
    QTest::newRow("F5 Voda") << 5 << 29;
    QTest::newRow("F6 Hora") << 6 << 52;
    QTest::newRow("F7 Hrom") << 7 << 51;
    QTest::newRow("F8 Vítr") << 8 << 57;
}

void TestShortcuts::functionKeysStillPickTrigrams()
{
    QFETCH(int, position);
    QFETCH(int, hexagram);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    Focus(w);
    const auto key = Qt::Key(Qt::Key_F1 + position - 1);
    QTest::keyClick(w.RichEdit2, key);
    QCOMPARE(int(f.state.trigramPickState), int(PickLower));
    QTest::keyClick(w.RichEdit2, key);
    QCOMPARE(int(f.state.trigramPickState), int(PickShown));
    QVERIFY(f.windows->form2->isVisible());
    QCOMPARE(f.windows->form2->windowTitle(), BookTables::Heading(hexagram));
}

void TestShortcuts::undoAndRedo_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("keys") << false;
    QTest::newRow("menu items") << true;
}

void TestShortcuts::undoAndRedo()
{
    QFETCH(bool, byMenu);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    Focus(w);
    const QString header = w.RichEdit2->toPlainText();
    QTest::keyClicks(w.RichEdit2, QStringLiteral("Co me ceka?"));
    f.state.documents.current().modified = false;
    w.Edit1Click();
    QVERIFY(w.Zpet1->isEnabled());
    QVERIFY(!w.Znovu1->isEnabled());
    auto undo = [&] { byMenu ? w.Zpet1->trigger() : QTest::keyClick(w.RichEdit2, Qt::Key_Z, Qt::ControlModifier); };
    auto redo = [&] { byMenu ? w.Znovu1->trigger() : QTest::keyClick(w.RichEdit2, Qt::Key_Y, Qt::ControlModifier); };
    while (w.RichEdit2->document()->isUndoAvailable())
        undo();
    QCOMPARE(w.RichEdit2->toPlainText(), header);
    QVERIFY(f.state.documents.current().modified);
    w.Edit1Click();
    QVERIFY(!w.Zpet1->isEnabled());
    QVERIFY(w.Znovu1->isEnabled());
    while (w.RichEdit2->document()->isRedoAvailable())
        redo();
    QCOMPARE(w.RichEdit2->toPlainText(), header + QStringLiteral("Co me ceka?"));
}

void TestShortcuts::undoStaysInItsConsultation()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    Focus(w);
    QTest::keyClicks(w.RichEdit2, QStringLiteral("prvni"));
    w.New1Click();
    const QString second = w.RichEdit2->toPlainText();
    QVERIFY(!w.RichEdit2->document()->isUndoAvailable());
    QTest::keyClick(w.RichEdit2, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.RichEdit2->toPlainText(), second); // the first one's typing is not undone here
    w.SwitchToSlot(1);
    QVERIFY(w.RichEdit2->toPlainText().endsWith(QStringLiteral("prvni")));
    // Nor can a redo bring the second one's text into the first.
    QVERIFY(!w.RichEdit2->document()->isRedoAvailable());
}

QTEST_MAIN(TestShortcuts)
#include "tst_shortcuts.moc"
