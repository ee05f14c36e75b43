// Every window read as a screen reader and a keyboard user meet it: each
// control a user acts on has a name and a description, and is reached by
// Tab or by a key that its description names; the keys of the controls we
// draw ourselves do what a click does.

#include "files/HesloF.h"
#include "notes/Pozn_F11.h"
#include "print/NTiskF8.h"
#include "support/MainWindowFixture.h"
#include "tools/FindKP_F9.h"
#include "tools/Zendra12F2.h"
#include "tools/Zendra12F3.h"
#include "ui/ExplorerButton.h"
#include "ui/FontColorDialog.h"
#include "ui/KxCollapsePanel.h"
#include "ui/LogoF.h"
#include "ui/PictureBox.h"
#include "ui/RosHotLabel.h"
#include "ui/Zendra12F4.h"
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

namespace {

// Controls that take no focus, and the key that does their work instead.
const QHash<QString, QString> kKeyInstead = {
    {"PaintBox1", "F1"}, {"PaintBox2", "F2"}, {"PaintBox3", "F3"}, {"PaintBox4", "F4"},
    {"PaintBox5", "F5"}, {"PaintBox6", "F6"}, {"PaintBox7", "F7"}, {"PaintBox8", "F8"},
    {"PaintBox9", "F9"}, {"Image3", "F1"},     {"Image2", "F12"},   {"RichView1", "Esc"},
    {"KxCollapsePanel1", "Tab"},
};

bool IsInteractive(const QWidget *w)
{
    if (qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLineEdit *>(w)
        || qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QComboBox *>(w)
        || qobject_cast<const QAbstractItemView *>(w) || qobject_cast<const QPlainTextEdit *>(w)
        || qobject_cast<const QTextEdit *>(w) || qobject_cast<const QMenuBar *>(w) || qobject_cast<const QMenu *>(w))
        return true;
    // Our own drawn controls: whatever answers a click or takes the focus.
    return (w->focusPolicy() & Qt::TabFocus) || w->metaObject()->indexOfSignal("clicked()") >= 0;
}

// The parts of a compound control (a text field's scroll bars, a spin box's
// entry, a combo box's list) speak through the control itself.
bool IsCompound(const QWidget *w)
{
    return qobject_cast<const QAbstractScrollArea *>(w) || qobject_cast<const QComboBox *>(w)
           || qobject_cast<const QAbstractSpinBox *>(w);
}

// The search's hidden copy of the text is never shown.
const QStringList kNeverShown = {"RichEdit3"};

// The menu bar's own menu for titles that do not fit is the toolkit's: no
// title of ours opens it.
bool IsOverflowMenu(const QWidget *w)
{
    const auto *menu = qobject_cast<const QMenu *>(w);
    const auto *bar = menu ? qobject_cast<const QMenuBar *>(menu->parentWidget()) : nullptr;
    return bar && !bar->actions().contains(menu->menuAction());
}

void Walk(QWidget *w, QList<QWidget *> &out)
{
    for (QObject *child : w->children()) {
        auto *c = qobject_cast<QWidget *>(child);
        // Windows of their own have rows of their own; the toolkit's inner
        // parts (the menu bar's overflow button) are named by the toolkit.
        if (!c || (c->isWindow() && !qobject_cast<QMenu *>(c)) || c->objectName().startsWith(u"qt_")
            || kNeverShown.contains(c->objectName()) || IsOverflowMenu(c))
            continue;
        if (IsInteractive(c))
            out << c;
        if (!IsCompound(c))
            Walk(c, out);
    }
}

int Letters(const QString &s)
{
    int n = 0;
    for (QChar c : s)
        n += c.isLetter();
    return n;
}

QString Label(const QWidget *w)
{
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(QLatin1String(w->metaObject()->className()), w->objectName(), w->property("text").toString());
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void everyControlIsNamedAndReachable_data();
    void everyControlIsNamedAndReachable();
    void coinTipsFollowTheMode();
    void drawnControlsAnswerKeys_data();
    void drawnControlsAnswerKeys();
};

void TestAccessibility::everyControlIsNamedAndReachable_data()
{
    QTest::addColumn<QString>("window");
    for (const char *w : {"Form1", "Form2", "Form3", "Form4", "Form7", "Form8", "Form9", "Form11", "PasswordDlg",
                          "FontColorDialog"})
        QTest::newRow(w) << w;
}

void TestAccessibility::everyControlIsNamedAndReachable()
{
    QFETCH(QString, window);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    std::unique_ptr<QWidget> own;
    QWidget *top = nullptr;
    if (window == u"Form1")
        top = &w;
    else if (window == u"Form4")
        top = w.Form4;
    else if (window == u"Form7")
        own = std::make_unique<TForm7>();
    else if (window == u"FontColorDialog")
        own = std::make_unique<FontColorDialog>(FontChoice{w.RichEdit2->font(), QColor(208, 244, 232)}, QColor());
    else
        top = w.findChild<QWidget *>(window);
    if (own)
        top = own.get();
    QVERIFY(top);

    QList<QWidget *> controls;
    Walk(top, controls);
    QStringList faults;
    for (QWidget *c : controls) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c);
        const QString name = a ? a->text(QAccessible::Name) : QString();
        const QString description = a ? a->text(QAccessible::Description) : QString();
        // "1", "x" or "?" tell nothing; a menu is named by its title.
        if (Letters(name) < 2)
            faults << Label(c) + QStringLiteral(": no name");
        if (description.trimmed().isEmpty() && !qobject_cast<QMenu *>(c) && !c->inherits("QMenuBar"))
            faults << Label(c) + QStringLiteral(": no description");
        if (qobject_cast<QMenu *>(c) || qobject_cast<QMenuBar *>(c))
            continue; // reached by Alt, the right button or the menu key
        const bool tab = c->focusPolicy() & Qt::TabFocus;
        const QString key = kKeyInstead.value(c->objectName());
        if (!tab && (key.isEmpty() || !description.contains(key)))
            faults << Label(c) + QStringLiteral(": no key reaches it");
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    QVERIFY(!controls.isEmpty() || window == u"Form7");
}

void TestAccessibility::coinTipsFollowTheMode()
{
    // Timed: two presses per coin; by hand: a press turns it, the paper writes the line.
    MainWindowFixture f;
    TForm1 &w = *f.form;
    for (bool hand : {false, true}) {
        (hand ? w.Rucne1 : w.Pocitacem1)->trigger();
        for (int k = 0; k < 3; ++k) {
            const QString said = w.Button[k]->accessibleDescription();
            QCOMPARE(said.contains(QStringLiteral("Stiskněte dvakrát")), !hand);
            QCOMPARE(said.contains(QStringLiteral("klepnutím na papír")), hand);
            QVERIFY(said.contains(QStringLiteral("Alt+%1").arg(k + 1)));
            // The tip shows the same words, broken into lines.
            QVERIFY(w.Button[k]->toolTip().contains(said));
        }
        // The paper keeps its hint as the first line.
        QCOMPARE(w.Image2->accessibleDescription().section(u'\n', 0, 0), QStringLiteral("Vykreslit čáru"));
        QVERIFY(w.Image2->toolTip().startsWith(QStringLiteral("<p>Vykreslit čáru<br>")));
        QCOMPARE(w.Image2->accessibleDescription().contains(QStringLiteral("Klepnutím zapíšete čáru")), hand);
    }
}

void TestAccessibility::drawnControlsAnswerKeys_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("panel paper: a changing line's number chooses it") << "Image4";
    QTest::newRow("notes: Ctrl+S saves the note, not the consultation") << "Memo1";
    QTest::newRow("notes: the space bar on the save button") << "SaveButton";
    QTest::newRow("about: Enter on the guide's link") << "RosHotLabel1";
}

void TestAccessibility::drawnControlsAnswerKeys()
{
    QFETCH(QString, control);
    QTemporaryDir dir;
    const QString folder = dir.path();
    MainWindowFixture f([folder](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values = {{"Dir", folder}};
    });
    TForm1 &w = *f.form;
    if (control == u"Image4") {
        f.throwCast(QStringLiteral("797677")); // bottom first: changing lines at 2 and 4
        QVERIFY(w.KxCollapsePanel1->isVisible());
        QVERIFY(!w.KxExplorerButton1->isEnabled());
        QTest::keyClick(w.Image4, Qt::Key_1); // a still line: nothing to choose
        QVERIFY(!w.KxExplorerButton1->isEnabled());
        QTest::keyClick(w.Image4, Qt::Key_4);
        QCOMPARE(f.state.panel.panelMarks, (std::array<bool, 6>{false, false, false, true, false, false}));
        QVERIFY(w.KxExplorerButton1->isEnabled());
        QTest::keyClick(w.Image4, Qt::Key_4);
        QVERIFY(!w.KxExplorerButton1->isEnabled());
        return;
    }
    if (control == u"RosHotLabel1") {
        TForm4 &about = *w.Form4;
        w.About1->trigger();
        about.RosHotLabel1->setCaption(QStringLiteral("file:///usr/share/doc/zendra/index.html"));
        QTest::keyClick(about.RosHotLabel1, Qt::Key_Return);
        QCOMPARE(f.fake.shell.opened, QStringList{QStringLiteral("file:///usr/share/doc/zendra/index.html")});
        return;
    }
    TForm11 &notes = *f.windows->form11;
    w.ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(8)));
    QTest::mouseClick(w.ExplorerButton[3], Qt::LeftButton);
    QVERIFY(notes.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&notes));
    QTest::keyClicks(notes.Memo1, QStringLiteral("moje poznamka"));
    QVERIFY(notes.NotesModified);
    if (control == u"Memo1") {
        notes.Memo1->setFocus();
        QTest::keyClick(notes.Memo1, Qt::Key_S, Qt::ControlModifier);
    } else {
        QTest::keyClick(notes.SaveButton, Qt::Key_Space);
    }
    QVERIFY(!notes.NotesModified);
    QVERIFY(QFile::exists(notes.notesPath()));
    QVERIFY(notes.Memo1->toPlainText().endsWith(QStringLiteral("moje poznamka"))); // no "s" typed
    QVERIFY(!f.state.documents.current().fileName.size()); // the consultation was not saved
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
