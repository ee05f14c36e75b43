// What a newcomer meets: the usual keys reach their commands while F1 to F8
// still pick trigrams; "Zpět" stays within its consultation; "&Písmo..."
// chooses the text colour, which is saved in FontM1 and read back; every
// control has a name and a description and is reached by keyboard.

#include "notes/Pozn_F11.h"
#include "reading/Corpus.h"
#include "support/MainWindowFixture.h"
#include "tools/Zendra12F2.h"
#include "ui/ExplorerButton.h"
#include "ui/FontColorDialog.h"
#include "ui/LogoF.h"
#include "ui/PictureBox.h"
#include "ui/RosHotLabel.h"
#include "ui/Zendra12F4.h"
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Shortcuts answer in the active window only.
void Focus(TForm1 &w)
{
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.RichEdit2->setFocus();
}

QColor TextOf(const QPlainTextEdit *edit) { return edit->palette().color(QPalette::Text); }

// Controls that take no focus, and the key that does their work instead.
const QHash<QString, QString> kKeyInstead = {
    {"PaintBox1", "F1"}, {"PaintBox2", "F2"}, {"PaintBox3", "F3"}, {"PaintBox4", "F4"}, {"PaintBox5", "F5"},
    {"PaintBox6", "F6"}, {"PaintBox7", "F7"}, {"PaintBox8", "F8"}, {"PaintBox9", "F9"}, {"Image3", "F1"},
    {"Image2", "F12"},   {"RichView1", "Esc"}, {"KxCollapsePanel1", "Tab"}};

// Whatever a user acts on; our drawn controls answer a click or take the focus.
bool IsInteractive(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLineEdit *>(w)
           || qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QComboBox *>(w)
           || qobject_cast<const QAbstractScrollArea *>(w) || qobject_cast<const QMenuBar *>(w)
           || qobject_cast<const QMenu *>(w) || (w->focusPolicy() & Qt::TabFocus)
           || w->metaObject()->indexOfSignal("clicked()") >= 0;
}

// Skipped: windows of their own (rows of their own), the toolkit's inner
// parts, the search's never-shown copy of the text and the menu bar's own
// menu for titles that do not fit. A text field, spin box or combo box
// speaks for its parts.
void Walk(QWidget *w, QList<QWidget *> &out)
{
    const auto *bar = qobject_cast<QMenuBar *>(w);
    for (QWidget *c : w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if ((c->isWindow() && !qobject_cast<QMenu *>(c)) || c->objectName().startsWith(u"qt_")
            || c->objectName() == u"RichEdit3" || (bar && !bar->actions().contains(qobject_cast<QMenu *>(c)->menuAction())))
            continue;
        if (IsInteractive(c))
            out << c;
        if (!qobject_cast<QAbstractScrollArea *>(c) && !qobject_cast<QAbstractSpinBox *>(c) && !qobject_cast<QComboBox *>(c))
            Walk(c, out);
    }
}
} // namespace

class TestGuidance : public QObject {
    Q_OBJECT
private slots:
    void keysReachTheirCommands_data();
    void keysReachTheirCommands();
    void functionKeysStillPickTrigrams_data();
    void functionKeysStillPickTrigrams();
    void undoStaysInItsConsultation();
    void textColourIsAppliedSavedAndRead_data();
    void textColourIsAppliedSavedAndRead();
    void fontDialogChangesOnlyWhatWasTouched();
    void everyControlIsNamedAndReachable_data();
    void everyControlIsNamedAndReachable();
    void drawnControlsAnswerKeys();
};

void TestGuidance::keysReachTheirCommands_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("key");
    QTest::newRow("Nový") << "New1" << "Ctrl+N";
    QTest::newRow("Otevřít...") << "Open1" << "Ctrl+O";
    QTest::newRow("Uložit") << "Save1" << "Ctrl+S";
    QTest::newRow("Uložit Jako...") << "SaveAs1" << "Ctrl+Shift+S";
    QTest::newRow("Tisk...") << "Tisk" << "Ctrl+P";
    QTest::newRow("Konec") << "Exit1" << "Ctrl+Q";
}

void TestGuidance::keysReachTheirCommands()
{
    QFETCH(QString, item);
    QFETCH(QString, key);
    MainWindowFixture f;
    QAction *action = f.form->findChild<QAction *>(item);
    QVERIFY(action);
    QSignalSpy triggered(action, &QAction::triggered);
    Focus(*f.form);
    QTest::keySequence(f.form->RichEdit2, QKeySequence(key));
    QCOMPARE(triggered.size(), 1);
}

void TestGuidance::functionKeysStillPickTrigrams_data()
{
    // No stored settings: "&Wen". A trigram picked twice gives the hexagram that doubles it.
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("hexagram");
    const int doubled[8] = {30, 2, 58, 1, 29, 52, 51, 57};
    for (int p = 1; p <= 8; ++p)
        QTest::addRow("F%d", p) << p << doubled[p - 1];
}

void TestGuidance::functionKeysStillPickTrigrams()
{
    QFETCH(int, position);
    QFETCH(int, hexagram);
    MainWindowFixture f;
    const auto key = Qt::Key(Qt::Key_F1 + position - 1);
    for (QAction *a : f.form->findChildren<QAction *>())
        QVERIFY2(!a->shortcuts().contains(QKeySequence(key)), qPrintable(a->objectName()));
    Focus(*f.form);
    QTest::keyClick(f.form->RichEdit2, key);
    QTest::keyClick(f.form->RichEdit2, key);
    QCOMPARE(f.windows->form2->windowTitle(), BookTables::Heading(hexagram));
}

void TestGuidance::undoStaysInItsConsultation()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    Focus(w);
    const QString header = w.RichEdit2->toPlainText();
    QTest::keyClicks(w.RichEdit2, QStringLiteral("prvni"));
    f.state.documents.current().modified = false;
    while (w.RichEdit2->document()->isUndoAvailable())
        w.Zpet1->trigger();
    QCOMPARE(w.RichEdit2->toPlainText(), header);
    QVERIFY(f.state.documents.current().modified);
    while (w.RichEdit2->document()->isRedoAvailable())
        QTest::keyClick(w.RichEdit2, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w.RichEdit2->toPlainText(), header + QStringLiteral("prvni"));
    // A new consultation has a history of its own: Ctrl+Z there leaves both texts alone.
    w.New1Click();
    const QString second = w.RichEdit2->toPlainText();
    QTest::keyClick(w.RichEdit2, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.RichEdit2->toPlainText(), second);
    w.SwitchToSlot(1);
    QCOMPARE(w.RichEdit2->toPlainText(), header + QStringLiteral("prvni"));
}

void TestGuidance::textColourIsAppliedSavedAndRead_data()
{
    QTest::addColumn<bool>("desktopColours"); // "S&ystémové barvy" first, and the offered colour kept
    QTest::addColumn<QColor>("chosen");       // invalid: cancelled
    QTest::addColumn<QString>("saved");       // FontM1 as "&Uložit nastavení" writes it
    QTest::addColumn<QColor>("shown");        // the editor's text, now and after a restart
    QTest::newRow("own colour") << false << QColor(18, 52, 86) << "Arial,11,0000,$00563412" << QColor(18, 52, 86);
    QTest::newRow("black on black") << false << QColor(0, 0, 0) << "Arial,11,0000,$00E8F4D0" << QColor(208, 244, 232);
    QTest::newRow("cancelled") << false << QColor() << "Arial,11,0000,clGreen" << QColor(0, 128, 0);
    QTest::newRow("desktop colour kept") << true << QColor() << "Arial,11,0000,clWindowText"
                                         << QApplication::palette().color(QPalette::Text);
}

void TestGuidance::textColourIsAppliedSavedAndRead()
{
    QFETCH(bool, desktopColours);
    QFETCH(QColor, chosen);
    QFETCH(QString, saved);
    QFETCH(QColor, shown);
    MainWindowFixture f([](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values = {{"FontM1", "Arial,11,0000,clGreen"}, {"ColorM1", "clBlack"}};
    });
    TForm1 &w = *f.form;
    if (desktopColours)
        w.Systmovbarvy1->trigger();
    const QColor offered = TextOf(w.RichEdit2);
    if (chosen.isValid() || desktopColours)
        f.fake.dialogs.fonts.enqueue(FontChoice{QFont(QStringLiteral("Arial"), 11), desktopColours ? offered : chosen});
    w.Font1->trigger();
    QCOMPARE(f.fake.dialogs.fontsOffered.value(0).color, offered); // it opens on the editor's colour
    QCOMPARE(TextOf(w.RichEdit2), shown);
    QCOMPARE(TextOf(f.windows->form2->RichEdit1), shown);
    w.UlozNas1->trigger();
    QCOMPARE(f.fake.settings.values.value("FontM1").toString(), saved);
    const FakeSettings stored = f.fake.settings;
    MainWindowFixture g([&stored](FakePlatform &p) { p.settings = stored; });
    QCOMPARE(TextOf(g.form->RichEdit2), shown);
}

void TestGuidance::fontDialogChangesOnlyWhatWasTouched()
{
    // A family this desktop lacks and a size in pixels, as the built-in look has.
    QFont initial(QStringLiteral("Arial CE"));
    initial.setPixelSize(18);
    FontColorDialog dialog({initial, QColor(208, 244, 232)}, QColor(0, 0, 0));
    QCOMPARE(dialog.choice().font, initial);
    dialog.show();
    QTest::mouseClick(dialog.Bold, Qt::LeftButton);
    dialog.setTextColor(QColor(0, 0, 128));
    const FontChoice c = dialog.choice();
    QVERIFY(c.font.bold() && !c.font.italic() && c.font.family() == u"Arial CE" && c.font.pixelSize() == 18);
    QCOMPARE(c.color, QColor(0, 0, 128));
    // The sample: the chosen colour on the editor's background.
    QCOMPARE(dialog.Sample->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(dialog.Sample->palette().color(QPalette::Window), QColor(0, 0, 0));
    dialog.Size->setValue(20);
    QCOMPARE(dialog.choice().font.pointSize(), 20);
}

void TestGuidance::everyControlIsNamedAndReachable_data()
{
    QTest::addColumn<QString>("window");
    for (const char *w : {"Form1", "Form2", "Form3", "Form4", "Form7", "Form8", "Form9", "Form10", "Form11", "JournalWindow",
                          "PasswordDlg", "FontColorDialog"})
        QTest::newRow(w) << w;
}

void TestGuidance::everyControlIsNamedAndReachable()
{
    QFETCH(QString, window);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    TForm7 logo;
    FontColorDialog font({w.RichEdit2->font(), QColor(208, 244, 232)}, QColor());
    QWidget *top = window == u"Form1" ? &w : window == u"Form4" ? w.Form4 : window == u"Form7" ? &logo
                   : window == u"FontColorDialog" ? static_cast<QWidget *>(&font) : w.findChild<QWidget *>(window);
    QVERIFY(top);
    QList<QWidget *> controls;
    Walk(top, controls);
    QStringList faults;
    for (QWidget *c : controls) {
        const QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c);
        // This toolkit's combo box says its current item instead of the name it was given.
        const QString name = qobject_cast<QComboBox *>(c) ? c->accessibleName() : a->text(QAccessible::Name);
        const QString said = a->text(QAccessible::Description);
        const QString who = QStringLiteral("%1 %2: ").arg(QLatin1String(c->metaObject()->className()), c->objectName());
        if (std::count_if(name.begin(), name.end(), [](QChar ch) { return ch.isLetter(); }) < 2)
            faults << who + QStringLiteral("no name"); // "1", "x" or "?" tell nothing
        if (qobject_cast<QMenu *>(c) || qobject_cast<QMenuBar *>(c))
            continue; // opened by Alt, the right button or the menu key, and read item by item
        if (said.trimmed().isEmpty())
            faults << who + QStringLiteral("no description");
        const QString key = kKeyInstead.value(c->objectName());
        if (!(c->focusPolicy() & Qt::TabFocus) && (key.isEmpty() || !said.contains(key)))
            faults << who + QStringLiteral("no key reaches it");
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestGuidance::drawnControlsAnswerKeys()
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    MainWindowFixture f([folder](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values = {{"Dir", folder}};
    });
    TForm1 &w = *f.form;
    QVERIFY(w.Button[0]->accessibleDescription().startsWith(QStringLiteral("Stiskněte dvakrát: první stisk")));
    // The panel paper: a changing line's number chooses it, a still line's does nothing.
    f.throwCast(QStringLiteral("797677")); // bottom first: changing lines at 2 and 4
    QTest::keyClick(w.Image4, Qt::Key_1);
    QVERIFY(!w.KxExplorerButton1->isEnabled());
    QTest::keyClick(w.Image4, Qt::Key_4);
    QCOMPARE(f.state.panel.panelMarks, (std::array<bool, 6>{false, false, false, true, false, false}));
    QVERIFY(w.KxExplorerButton1->isEnabled());
    // The about box's link opens on Enter.
    w.About1->trigger();
    w.Form4->RosHotLabel1->setCaption(QStringLiteral("file:///usr/share/doc/zendra/index.html"));
    QTest::keyClick(w.Form4->RosHotLabel1, Qt::Key_Return);
    QCOMPARE(f.fake.shell.opened, QStringList{QStringLiteral("file:///usr/share/doc/zendra/index.html")});
    // The notes: Ctrl+S saves the note, not the consultation; so does the space bar on the save button.
    TForm11 &notes = *f.windows->form11;
    QTest::mouseClick(w.ExplorerButton7, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(&notes));
    for (QWidget *target : {static_cast<QWidget *>(notes.Memo1), static_cast<QWidget *>(notes.SaveButton)}) {
        QTest::keyClicks(notes.Memo1, QStringLiteral("moje poznamka"));
        QVERIFY(notes.NotesModified);
        QTest::keyClick(target, target == notes.Memo1 ? Qt::Key_S : Qt::Key_Space,
                        target == notes.Memo1 ? Qt::ControlModifier : Qt::NoModifier);
        QVERIFY(!notes.NotesModified);
        QVERIFY(notes.Memo1->toPlainText().endsWith(QStringLiteral("moje poznamka"))); // no "s" typed
    }
    QVERIFY(f.state.documents.current().fileName.isEmpty());
}

QTEST_MAIN(TestGuidance)
#include "tst_guidance.moc"
