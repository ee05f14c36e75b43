// The user's text through the real main window: no-break spaces kept, a
// UTF-8 file from another editor read right and saved in the program's code
// page, every way of pasting plain and refused while printing, and dialogs
// that start in the Data folder.

#include "files/ConsultationFile.h"
#include "support/MainWindowFixture.h"
#include "support/ScriptedPasswordDlg.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
struct Fixture : MainWindowFixture {
    QTemporaryDir dir;
    ScriptedPasswordDlg *passwords = nullptr;
    Fixture()
    {
        passwords = new ScriptedPasswordDlg(fake.dialogs, form);
        form->setPasswordDialog(passwords);
        form->Zadny->trigger();
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    void saveAs(const QString &name)
    {
        fake.fileDialogs.saveAnswers.enqueue(path(name));
        form->SaveAs1->trigger();
    }
    QByteArray bytes(const QString &name) const { return ConsultationFile::ReadFile(path(name)); }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The editor's text as its document holds it, no-break spaces and all.
    QString editorText() const
    {
        return form->RichEdit2->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
    }
};

enum class Way { CtrlV, ShiftInsert, Menu, Popup, Drop };

QMimeData *Formatted(const QString &text)
{
    auto *data = new QMimeData;
    data->setHtml(u"<p style='color:red'><b>"_s + text.toHtmlEscaped() + u"</b></p>"_s);
    data->setText(text);
    return data;
}

// Brings the source into the editor the given way; a drop carries it, the
// other ways find it on the clipboard.
void Bring(TForm1 &w, Way way, QMimeData *source)
{
    if (way != Way::Drop)
        QApplication::clipboard()->setMimeData(source);
    switch (way) {
    case Way::CtrlV: QTest::keyClick(w.RichEdit2, Qt::Key_V, Qt::ControlModifier); break;
    case Way::ShiftInsert: QTest::keyClick(w.RichEdit2, Qt::Key_Insert, Qt::ShiftModifier); break;
    case Way::Menu: w.Paste1->trigger(); break;
    case Way::Popup: w.Vlozit1->trigger(); break;
    case Way::Drop: {
        // A drop goes to the widget that accepted the drag's entry.
        const QPoint at = w.RichEdit2->cursorRect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, source, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.RichEdit2->viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction, source, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.RichEdit2->viewport(), &drop);
        delete source;
        break;
    }
    }
}
} // namespace

class TestTextIntegrityWindow : public QObject {
    Q_OBJECT
private slots:
    void noBreakSpacesSurviveSaving_data();
    void noBreakSpacesSurviveSaving();
    void utf8FileFromAnotherEditor_data();
    void utf8FileFromAnotherEditor();
    void everyPasteIsPlain_data();
    void everyPasteIsPlain();
    void dialogsStartInDataFolder();
};

void TestTextIntegrityWindow::noBreakSpacesSurviveSaving_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << u"nbsp.txt"_s;
    QTest::newRow("encrypted") << u"nbsp.txg"_s;
}

void TestTextIntegrityWindow::noBreakSpacesSurviveSaving()
{
    QFETCH(QString, name);
    Fixture f;
    f.form->RichEdit2->moveCursor(QTextCursor::End);
    f.form->RichEdit2->insertPlainText(u"Zítra v\u00A07\u00A0h, 5\u00A0%"_s);
    const QString typed = f.editorText();
    f.passwords->entries << u"heslo"_s << u"heslo"_s;
    f.saveAs(name);
    QVERIFY(!f.state.documents.current().modified);
    if (name.endsWith(u".txt"_s))
        QVERIFY(f.bytes(name).endsWith("Z\xedtra v\xa0" "7\xa0h, 5\xa0%\r\n"));
    f.form->ZavOkno->trigger();
    f.passwords->entries << u"heslo"_s;
    QVERIFY(f.form->OpenFile(f.path(name)));
    QVERIFY(f.editorText().startsWith(typed));
    QVERIFY(f.fake.dialogs.shown.isEmpty()); // nothing asked about characters
}

void TestTextIntegrityWindow::utf8FileFromAnotherEditor_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("UTF-8") << QByteArray("Ot\xc3\xa1zka: P\xc5\xafjdu?\n"
                                         "\xc5\xbdlu\xc5\xa5ou\xc4\x8dk\xc3\xbd k\xc5\xaf\xc5\x88\n")
                           << u"Otázka: Půjdu?\nŽluťoučký kůň"_s
                           << QByteArray("Ot\xe1zka: P\xf9jdu?\r\n\x8elu\x9dou\xe8k\xfd k\xf9\xf2\r\n");
    QTest::newRow("UTF-8 with its mark") << QByteArray("\xef\xbb\xbf" "Ano\r\n\xc4\x8c\r\n") << u"Ano\nČ"_s
                                         << QByteArray("Ano\r\n\xc8\r\n");
    QTest::newRow("Windows-1250 as before") << QByteArray("Ot\xe1zka\r\n") << u"Otázka"_s << QByteArray("Ot\xe1zka\r\n");
}

void TestTextIntegrityWindow::utf8FileFromAnotherEditor()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);
    QFETCH(QByteArray, saved);
    Fixture f;
    f.write(u"jinde.txt"_s, file);
    QVERIFY(f.form->OpenFile(f.path(u"jinde.txt"_s)));
    QCOMPARE(f.form->RichEdit2->toPlainText(), shown);
    QVERIFY(!f.state.documents.current().modified);
    f.form->Save1->trigger();
    QCOMPARE(f.bytes(u"jinde.txt"_s), saved);
    // Opened again, the program's own form reads the same.
    f.form->ZavOkno->trigger();
    QVERIFY(f.form->OpenFile(f.path(u"jinde.txt"_s)));
    QCOMPARE(f.form->RichEdit2->toPlainText(), shown);
}

void TestTextIntegrityWindow::everyPasteIsPlain_data()
{
    QTest::addColumn<Way>("way");
    QTest::newRow("Ctrl+V") << Way::CtrlV;
    QTest::newRow("Shift+Insert") << Way::ShiftInsert;
    QTest::newRow("menu V&ložit") << Way::Menu;
    QTest::newRow("pop-up V&ložit") << Way::Popup;
    QTest::newRow("drop") << Way::Drop;
}

void TestTextIntegrityWindow::everyPasteIsPlain()
{
    QFETCH(Way, way);
    Fixture f;
    TForm1 &w = *f.form;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.RichEdit2->setFocus();
    w.RichEdit2->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(u"schránka"_s);
    QVERIFY(!f.state.documents.current().modified);

    Bring(w, way, Formatted(u"tučně\u00A0a červeně"_s));
    QVERIFY2(f.editorText().endsWith(u"Otázka: tučně\u00A0a červeně"_s), qPrintable(f.editorText()));
    QVERIFY(!w.RichEdit2->document()->toHtml().contains(u"color:red"_s));
    QVERIFY(f.state.documents.current().modified);
    const QMimeData *clipboard = QApplication::clipboard()->mimeData();
    QVERIFY(!clipboard->hasHtml());
    // What came from the clipboard stays there as plain text; a drop leaves it alone.
    QCOMPARE(clipboard->text(), way == Way::Drop ? u"schránka"_s : u"tučně\u00A0a červeně"_s);

    // While printing, no way puts text in.
    const QString before = w.RichEdit2->toPlainText();
    f.fake.dialogs.printToFile = f.path(u"tisk.pdf"_s);
    bool tried = false;
    QTimer::singleShot(0, &w, [&] {
        QVERIFY(w.PrintingUnderway());
        Bring(w, way, Formatted(u"během tisku"_s));
        tried = true;
    });
    w.TiskClick();
    QVERIFY(tried);
    QCOMPARE(w.RichEdit2->toPlainText(), before);
    QCOMPARE(f.fake.dialogs.texts(), QStringList{u"Text nelze vložit, protože probíhá tisk."_s});
}

void TestTextIntegrityWindow::dialogsStartInDataFolder()
{
    QTemporaryDir working;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(working.path()));
    QVERIFY(QDir(working.path()).mkdir(u"Data"_s));
    const QString data = QDir(working.path()).filePath(u"Data"_s);
    {
        Fixture f;
        QStringList &starts = f.fake.fileDialogs.startPaths;
        f.form->SaveAs1->trigger(); // cancelled
        QCOMPARE(starts.last(), data);
        QVERIFY(f.state.documents.saveCancelled);
        f.saveAs(u"Moje otázka.txt"_s);
        f.form->SaveAs1->trigger();
        QCOMPARE(starts.last(), data + u"/Moje otázka.txt"_s);
        f.form->Open1->trigger();
        QCOMPARE(starts.last(), data);
        QCOMPARE(starts.size(), 4);
        // Nothing named "Data" appeared in the working folder.
        QCOMPARE(QDir(working.path()).entryList(QDir::Files), QStringList{});
    }
    QVERIFY(QDir::setCurrent(previous));
}

QTEST_MAIN(TestTextIntegrityWindow)
#include "tst_textintegrity.moc"
