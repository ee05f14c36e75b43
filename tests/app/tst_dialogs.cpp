// Windows that stay usable: a modal box or dialog comes up in front of the
// window it belongs to, Enter searches in find in book, and the tool windows
// ask only for the title buttons they have.

#include "app/DesktopPlatform.h"
#include "notes/Pozn_F11.h"
#include "print/NTiskF8.h"
#include "support/MainWindowFixture.h"
#include "tools/FindKP_F9.h"
#include "tools/Zendra12F2.h"
#include "ui/ExplorerButton.h"
#include "ui/LogoF.h"
#include "ui/Zendra12F4.h"
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTest>
#include <QTimer>

namespace {
struct SeenDialog {
    QWidget *parent = nullptr;
    bool onTop = false;
};

// Notes where the next modal dialog comes up, then dismisses it.
void DismissNextDialog(SeenDialog &seen, QSet<QWidget *> known)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, &seen, known] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QDialog *>(w);
            if (!dialog || known.contains(w) || !dialog->isVisible() || !dialog->isModal())
                continue;
            seen.parent = dialog->parentWidget();
            seen.onTop = dialog->windowFlags() & Qt::WindowStaysOnTopHint;
            dialog->reject();
            timer->deleteLater();
            return;
        }
    });
    timer->start(10);
}
} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void boxesComeUpInFront_data();
    void boxesComeUpInFront();
    void enterInFindSearchesFromTheStart();
    void titleButtons_data();
    void titleButtons();
};

void TestDialogs::boxesComeUpInFront_data()
{
    QTest::addColumn<QString>("situation");
    QTest::newRow("message while printing from the margins dialog") << "margins";
    QTest::newRow("print dialog from the margins dialog") << "print";
    QTest::newRow("the note's close question") << "notes";
    QTest::newRow("a message under the logo at start-up") << "logo";
}

void TestDialogs::boxesComeUpInFront()
{
    QFETCH(QString, situation);
    MessageBoxDialogs dialogs;
    SeenDialog seen;
    if (situation == u"logo") {
        TForm7 logo;
        logo.show();
        DismissNextDialog(seen, {});
        dialogs.message(MessageKind::Error, QStringLiteral("Zendra 2.1"), QStringLiteral("Invalid string to font conversion"));
        QCOMPARE(seen.parent, &logo);
        QVERIFY(seen.onTop);
        return;
    }
    MainWindowFixture f;
    dialogs.setParentWindow(f.form);
    if (situation == u"notes") {
        f.form->ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(8)));
        QTest::mouseClick(f.form->ExplorerButton[3], Qt::LeftButton);
        QVERIFY(f.windows->form11->isVisible());
        DismissNextDialog(seen, {});
        dialogs.askYesNoCancel(QStringLiteral("Potvrzení"), QStringLiteral("Poznámka není uložena. Checete ji uložit?"));
        QVERIFY(seen.onTop);
        return;
    }
    TForm8 &margins = *f.windows->form8;
    margins.open();
    DismissNextDialog(seen, {&margins});
    if (situation == u"print") {
        QPrinter printer;
        QVERIFY(!dialogs.choosePrinter(printer));
    } else {
        dialogs.message(MessageKind::Information, QStringLiteral("Zendra 2.1"), QStringLiteral("Tisk byl zrušen."));
    }
    QCOMPARE(seen.parent, &margins);
    QVERIFY(seen.onTop);
}

void TestDialogs::enterInFindSearchesFromTheStart()
{
    MainWindowFixture f;
    TForm9 &find = *f.windows->form9;
    f.form->NajitKP1->trigger();
    QTest::keyClicks(find.Edit1, QStringLiteral("hexagram"));
    QTest::keyClick(find.Edit1, Qt::Key_Return);
    QVERIFY(f.windows->form2->isVisible());
    QCOMPARE(f.windows->form2->windowTitle(), BookTables::Heading(1)); // the first step
    QCOMPARE(f.windows->form2->RichEdit1->textCursor().selectedText().toLower(), QStringLiteral("hexagram"));
    QVERIFY(find.Button3->isEnabled());
    find.Edit1->clear();
    f.fake.dialogs.shown.clear();
    QTest::keyClick(find.Edit1, Qt::Key_Return); // nothing to search for
    QVERIFY(f.fake.dialogs.shown.isEmpty());
}

void TestDialogs::titleButtons_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("minimise");
    QTest::addColumn<bool>("sizeable");
    QTest::newRow("find in book") << "Form9" << true << false;
    QTest::newRow("notes") << "Form11" << false << true;
    QTest::newRow("about") << "Form4" << false << false;
}

void TestDialogs::titleButtons()
{
    QFETCH(QString, window);
    QFETCH(bool, minimise);
    QFETCH(bool, sizeable);
    MainWindowFixture f;
    QWidget *w = window == u"Form4" ? static_cast<QWidget *>(f.form->Form4)
                                     : f.form->findChild<QWidget *>(window, Qt::FindDirectChildrenOnly);
    QVERIFY(w);
    const Qt::WindowFlags flags = w->windowFlags();
    // The window names its own buttons instead of taking the desktop's set.
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(bool(flags & Qt::WindowMinimizeButtonHint), minimise);
    // Some desktops offer maximise for every window they may resize.
    w->show();
    QCOMPARE(w->minimumSize() != w->maximumSize(), sizeable);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
