// Clipboard commands of the consultation editor.

#include "support/MainWindowFixture.h"
#include "ui/TileImage.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void menuStatesFollowFocusAndSelection();
    void everyPasteIsPlain_data();
    void everyPasteIsPlain();
    void popupCommandsWithoutFocus();
};

void TestEditing::menuStatesFollowFocusAndSelection()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.RichEdit2->setFocus();
    QVERIFY(w.RichEdit2->hasFocus());
    QApplication::clipboard()->setText(QStringLiteral("x"));
    w.Edit1Click();
    QVERIFY(!w.Copy1->isEnabled() && !w.Cut1->isEnabled() && !w.Odstranit2->isEnabled());
    QVERIFY(w.Paste1->isEnabled() && w.Vybratve1->isEnabled());
    w.Vybratve1->trigger();
    w.Edit1Click();
    QVERIFY(w.Copy1->isEnabled() && w.Cut1->isEnabled() && w.Odstranit2->isEnabled());
    w.Copy1->trigger();
    QVERIFY(QApplication::clipboard()->text().startsWith(w.RichEdit2->toPlainText().left(5)));
    QVERIFY(!f.state.documents.current().modified);
    w.Odstranit2->trigger();
    QCOMPARE(w.RichEdit2->toPlainText(), QString());
    QVERIFY(f.state.documents.current().modified);
    // Without the focus the menu does nothing.
    w.Image1->setFocus();
    w.RichEdit2->setPlainText(QStringLiteral("abc"));
    w.Edit1Click();
    QVERIFY(!w.Vybratve1->isEnabled() && !w.Paste1->isEnabled());
    w.Vybratve1Click();
    QVERIFY(!w.RichEdit2->textCursor().hasSelection());
}

namespace {
enum class Way { CtrlV, ShiftInsert, Menu, Popup, Drop };

// Formatted text comes in the given way: on the clipboard, or dropped.
void Bring(TForm1 &w, Way way, const QString &text)
{
    auto *data = new QMimeData;
    data->setHtml(QStringLiteral("<b style='color:red'>") + text + QStringLiteral("</b>"));
    data->setText(text);
    if (way == Way::Drop) {
        const QPoint at = w.RichEdit2->cursorRect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.RichEdit2->viewport(), &enter); // a drop goes where the drag entered
        QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.RichEdit2->viewport(), &drop);
        delete data;
        return;
    }
    QApplication::clipboard()->setMimeData(data);
    if (way == Way::CtrlV)
        QTest::keyClick(w.RichEdit2, Qt::Key_V, Qt::ControlModifier);
    else if (way == Way::ShiftInsert)
        QTest::keyClick(w.RichEdit2, Qt::Key_Insert, Qt::ShiftModifier);
    else
        (way == Way::Menu ? w.Paste1 : w.Vlozit1)->trigger();
}
} // namespace

void TestEditing::everyPasteIsPlain_data()
{
    QTest::addColumn<Way>("way");
    QTest::newRow("Ctrl+V") << Way::CtrlV;
    QTest::newRow("Shift+Insert") << Way::ShiftInsert;
    QTest::newRow("menu") << Way::Menu;
    QTest::newRow("pop-up") << Way::Popup;
    QTest::newRow("drop") << Way::Drop;
}

void TestEditing::everyPasteIsPlain()
{
    QFETCH(Way, way);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.RichEdit2->setFocus();
    w.RichEdit2->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("dřív"));
    Bring(w, way, QStringLiteral("tučně\u00A0x"));
    QVERIFY(w.RichEdit2->document()->toRawText().endsWith(QStringLiteral("Otázka: tučně\u00A0x")));
    QVERIFY(!w.RichEdit2->document()->toHtml().contains(QStringLiteral("color")));
    QVERIFY(f.state.documents.current().modified);
    // What came from the clipboard stays there as plain text; a drop leaves it be.
    QVERIFY(!QApplication::clipboard()->mimeData()->hasHtml());
    QCOMPARE(QApplication::clipboard()->text(), way == Way::Drop ? QStringLiteral("dřív") : QStringLiteral("tučně\u00A0x"));

    // While printing, no way puts text in.
    const QString before = w.RichEdit2->toPlainText();
    QTemporaryDir dir;
    f.fake.dialogs.printToFile = dir.filePath(QStringLiteral("a.pdf"));
    bool tried = false;
    QTimer::singleShot(0, &w, [&] {
        tried = w.PrintingUnderway();
        Bring(w, way, QStringLiteral("během tisku"));
    });
    w.TiskClick();
    QVERIFY(tried);
    QCOMPARE(w.RichEdit2->toPlainText(), before);
    QCOMPARE(f.fake.dialogs.texts(), QStringList{QStringLiteral("Text nelze vložit, protože probíhá tisk.")});
}

void TestEditing::popupCommandsWithoutFocus()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.PopupMenu1Popup();
    QVERIFY(!w.Kopirovat1->isEnabled() && w.VybratVse1->isEnabled());
    w.VybratVse1->trigger();
    QVERIFY(w.RichEdit2->textCursor().hasSelection());
    w.PopupMenu1Popup();
    QVERIFY(w.Kopirovat1->isEnabled() && w.Vyjmout1->isEnabled() && w.Odstranit1->isEnabled());
    w.Vyjmout1->trigger();
    QCOMPARE(w.RichEdit2->toPlainText(), QString());
    QVERIFY(QApplication::clipboard()->text().endsWith(QStringLiteral("Otázka: ")));
}

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
