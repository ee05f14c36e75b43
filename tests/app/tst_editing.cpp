// Clipboard commands of the consultation editor.

#include "support/MainWindowFixture.h"
#include "ui/TileImage.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void menuStatesFollowFocusAndSelection();
    void pasteIsPlainText();
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

void TestEditing::pasteIsPlainText()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.RichEdit2->setFocus();
    auto *data = new QMimeData;
    data->setHtml(QStringLiteral("<b>tučně</b>"));
    data->setText(QStringLiteral("tučně"));
    QApplication::clipboard()->setMimeData(data);
    w.RichEdit2->moveCursor(QTextCursor::End);
    w.Paste1->trigger();
    QVERIFY(w.RichEdit2->toPlainText().endsWith(QStringLiteral("Otázka: tučně")));
    QVERIFY(!QApplication::clipboard()->mimeData()->hasHtml());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("tučně"));
    QVERIFY(f.state.documents.current().modified);
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
