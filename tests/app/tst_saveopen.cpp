// Saving and opening consultations through the real menus, with the file
// dialogs and the password dialog played by the test.

#include "files/ConsultationFile.h"
#include "files/PasswordRules.h"
#include "support/MainWindowFixture.h"
#include "support/ScriptedPasswordDlg.h"
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

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
};
} // namespace

class TestSaveOpen : public QObject {
    Q_OBJECT
private slots:
    void savePlainWithMarker();
    void markerOptionOffThenOn();
    void saveEncryptedAndOpenAgain();
    void passwordPathsFeedTheCloseQuestion();
    void cancelledSaveAsKeepsTheName();
    void alreadyOpenAndNineWindows();
    void openedDocumentRestoresCast();
    void damagedMarkerIsDropped();
    void failedWriteKeepsModified();
    void unreadablePlainFileOpensEmpty();
    void unrepresentableCharactersAsked();
    void textKeptAsWritten_data();
    void textKeptAsWritten();
    void dialogsStartInDataFolder();
};

void TestSaveOpen::savePlainWithMarker()
{
    Fixture f;
    QTest::keyClicks(f.form->RichEdit2, QStringLiteral("Kam?"));
    f.throwCast(QStringLiteral("789968"));
    f.saveAs(QStringLiteral("a.txt"));
    const QByteArray saved = f.bytes(QStringLiteral("a.txt"));
    QVERIFY(saved.startsWith("CHHEX:789968\r\n"));
    QCOMPARE(saved, ConsultationFile::TextForm(f.state.documents.current().lines));
    QCOMPARE(f.form->windowTitle(), QStringLiteral("Zendra [") + f.path(QStringLiteral("a.txt")) + u']');
    QVERIFY(!f.state.documents.current().modified);
    QVERIFY(!f.state.documents.saveCancelled);
    QCOMPARE(f.form->OknoItem[0]->text(), f.path(QStringLiteral("a.txt")));
    // "&Uložit" writes to the same file without asking.
    QTest::keyClicks(f.form->RichEdit2, QStringLiteral("x"));
    f.form->Save1->trigger();
    QVERIFY(f.bytes(QStringLiteral("a.txt")).endsWith("x\r\n") || f.bytes(QStringLiteral("a.txt")).contains('x'));
    QVERIFY(f.fake.dialogs.shown.isEmpty());
}

void TestSaveOpen::markerOptionOffThenOn()
{
    Fixture f;
    f.throwCast(QStringLiteral("777777"));
    f.form->CisHexagramu->trigger(); // off
    f.saveAs(QStringLiteral("b.txt"));
    const QByteArray first = f.bytes(QStringLiteral("b.txt"));
    QVERIFY(!first.contains("CHHEX:"));
    f.form->CisHexagramu->trigger(); // on again: the marker is gone from the document
    f.form->Save1->trigger();
    QCOMPARE(f.bytes(QStringLiteral("b.txt")), first);
    // Opened again: no panel, coin buttons enabled.
    f.form->ZavOkno->trigger();
    QVERIFY(f.form->OpenFile(f.path(QStringLiteral("b.txt"))));
    QVERIFY(!f.state.lines.hasHexagram);
    for (QPushButton *b : f.form->Button)
        QVERIFY(b->isEnabled());
}

void TestSaveOpen::saveEncryptedAndOpenAgain()
{
    Fixture f;
    QTest::keyClicks(f.form->RichEdit2, QStringLiteral("Tajna otazka"));
    f.throwCast(QStringLiteral("969696"));
    const QStringList shown = f.form->RichEdit2->toPlainText().split(u'\n');
    f.passwords->entries << QStringLiteral(" Kočka ") << QStringLiteral("Kočka");
    f.saveAs(QStringLiteral("c.txg"));
    QCOMPARE(f.passwords->captions, (QStringList{"Heslo", "Potvrzení hesla"}));
    const QByteArray stored = f.bytes(QStringLiteral("c.txg"));
    QCOMPARE(stored.size() % 8, 0);
    QVERIFY(!stored.contains("Tajna"));
    QCOMPARE(*ConsultationFile::OpenedLines(QStringLiteral("c.txg"), stored, QStringLiteral("Kočka")),
             f.state.documents.current().lines);

    f.form->ZavOkno->trigger();
    f.fake.fileDialogs.openAnswers.enqueue(f.path(QStringLiteral("c.txg")));
    f.passwords->entries << QStringLiteral("kočka"); // wrong case
    f.form->Open1->trigger();
    QCOMPARE(f.fake.dialogs.texts().last(), PasswordMessages::kWrong);
    QCOMPARE(f.state.documents.openSlotCount, 1);
    f.passwords->entries << QString(); // "Storno": nothing, silently
    const int messages = f.fake.dialogs.shown.size();
    QVERIFY(!f.form->OpenFile(f.path(QStringLiteral("c.txg"))));
    QCOMPARE(f.fake.dialogs.shown.size(), messages);
    f.passwords->entries << QStringLiteral("  Kočka  ");
    QVERIFY(f.form->OpenFile(f.path(QStringLiteral("c.txg"))));
    QCOMPARE(f.form->RichEdit2->toPlainText().split(u'\n'), shown);
    QCOMPARE(f.state.lines.castLines.digits(), QStringLiteral("969696"));
    QVERIFY(f.state.lines.hasHexagram);
    for (QPushButton *b : f.form->Button)
        QVERIFY(!b->isEnabled());
    QVERIFY(!f.state.documents.current().modified);
    // An open and save cycle gives back the same bytes' text.
    f.passwords->entries << QStringLiteral("Kočka") << QStringLiteral("Kočka");
    f.form->Save1->trigger();
    QCOMPARE(*ConsultationFile::OpenedLines(QStringLiteral("c.txg"), f.bytes(QStringLiteral("c.txg")), QStringLiteral("Kočka")),
             *ConsultationFile::OpenedLines(QStringLiteral("c.txg"), stored, QStringLiteral("Kočka")));
}

void TestSaveOpen::passwordPathsFeedTheCloseQuestion()
{
    Fixture f;
    QTest::keyClicks(f.form->RichEdit2, QStringLiteral("a"));
    // "Ano" to the close question, then a confirmation that differs: the document stays.
    f.fake.dialogs.answers << Answer::Yes;
    f.fake.fileDialogs.saveAnswers.enqueue(f.path(QStringLiteral("d.txg")));
    f.passwords->entries << QStringLiteral("jedna") << QStringLiteral("dva");
    f.form->ZavOkno->trigger();
    QVERIFY(f.fake.dialogs.texts().contains(PasswordMessages::kConfirmationDiffers));
    QCOMPARE(f.state.documents.openSlotCount, 1);
    QVERIFY(f.state.documents.current().modified);
    QVERIFY(!QFile::exists(f.path(QStringLiteral("d.txg"))));
    // An empty password after OK is refused the same way.
    f.fake.dialogs.shown.clear();
    f.passwords->entries << QStringLiteral("   ");
    f.fake.fileDialogs.saveAnswers.enqueue(f.path(QStringLiteral("d.txg")));
    f.form->SaveAs1->trigger();
    QVERIFY(f.state.documents.saveCancelled);
    QVERIFY(!QFile::exists(f.path(QStringLiteral("d.txg"))));
    // Closing the program: "Ano" and a good password lets it close.
    f.fake.dialogs.answers << Answer::Yes;
    f.fake.fileDialogs.saveAnswers.enqueue(f.path(QStringLiteral("d.txg")));
    f.passwords->entries << QStringLiteral("tri") << QStringLiteral("tri");
    QVERIFY(f.form->close());
    QVERIFY(QFile::exists(f.path(QStringLiteral("d.txg"))));
}

void TestSaveOpen::cancelledSaveAsKeepsTheName()
{
    Fixture f;
    f.saveAs(QStringLiteral("e.txt"));
    f.form->SaveAs1->trigger(); // the dialog cancelled
    QVERIFY(f.state.documents.saveCancelled);
    QCOMPARE(f.state.documents.current().fileName, f.path(QStringLiteral("e.txt")));
    f.passwords->entries << QString(); // "Storno" at the password
    f.saveAs(QStringLiteral("e.txg"));
    QCOMPARE(f.state.documents.current().fileName, f.path(QStringLiteral("e.txt")));
    QVERIFY(f.fake.dialogs.shown.isEmpty());
}

void TestSaveOpen::alreadyOpenAndNineWindows()
{
    Fixture f;
    f.saveAs(QStringLiteral("f.txt"));
    f.form->New1->trigger();
    QVERIFY(!f.form->OpenFile(f.path(QStringLiteral("f.txt"))));
    QCOMPARE(f.fake.dialogs.texts().last(),
             QStringLiteral("Soubor ") + f.path(QStringLiteral("f.txt")) + QStringLiteral(" je již otevřený."));
    QCOMPARE(f.state.documents.currentSlot, 1); // switched to it
    for (int i = 0; i < 7; ++i)
        f.form->New1->trigger();
    f.fake.dialogs.shown.clear();
    QFile::copy(f.path(QStringLiteral("f.txt")), f.path(QStringLiteral("g.txt")));
    QVERIFY(!f.form->OpenFile(f.path(QStringLiteral("g.txt"))));
    QCOMPARE(f.fake.dialogs.texts(), QStringList{QStringLiteral(
        "Může být otevřeno nejvíce 9 oken. Aby mohl být otevřen další soubor, je zapotřebí alespoň jedno okno zavřít.")});
}

void TestSaveOpen::openedDocumentRestoresCast()
{
    Fixture f;
    QFile file(f.path(QStringLiteral("h.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("CHHEX:678967\r\nOt\xe1zka: ?\r\nCHHEX:777777\r\n");
    file.close();
    QVERIFY(f.form->OpenFile(f.path(QStringLiteral("h.txt"))));
    QCOMPARE(f.form->windowTitle(), QStringLiteral("Zendra  ") + f.path(QStringLiteral("h.txt")));
    QCOMPARE(f.form->RichEdit2->toPlainText(), QStringLiteral("Otázka: ?\nCHHEX:777777")); // a later marker is text
    QCOMPARE(f.state.lines.castLines.digits(), QStringLiteral("678967"));
    QCOMPARE(f.form->RichEdit2->textCursor().position(), 0);
    QVERIFY(!f.form->Nastavovatmince1->menuAction()->isEnabled());
}

void TestSaveOpen::damagedMarkerIsDropped()
{
    Fixture f;
    QFile file(f.path(QStringLiteral("i.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("CHHEX:6789\r\ntext\r\n");
    file.close();
    QVERIFY(f.form->OpenFile(f.path(QStringLiteral("i.txt"))));
    QCOMPARE(f.state.documents.current().lines, QStringList{QStringLiteral("text")});
    QVERIFY(!f.state.lines.hasHexagram);
}

void TestSaveOpen::failedWriteKeepsModified()
{
    Fixture f;
    f.saveAs(QStringLiteral("j.txt"));
    const QByteArray before = f.bytes(QStringLiteral("j.txt"));
    QTest::keyClicks(f.form->RichEdit2, QStringLiteral("zmena"));
    // A folder stands where the file should go: the write cannot complete.
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("slozka.txt")));
    f.fake.dialogs.answers << Answer::Yes; // replace it
    f.saveAs(QStringLiteral("slozka.txt"));
    QCOMPARE(f.fake.dialogs.shown.last().kind, MessageKind::Error);
    QVERIFY(f.state.documents.current().modified);
    QVERIFY(f.state.documents.saveCancelled);
    QCOMPARE(f.state.documents.current().fileName, f.path(QStringLiteral("j.txt")));
    QCOMPARE(f.bytes(QStringLiteral("j.txt")), before);
    QVERIFY(QFileInfo(f.path(QStringLiteral("slozka.txt"))).isDir());
    // The close question sees the failure and keeps the document.
    f.fake.dialogs.answers << Answer::Yes;
    QFile::remove(f.path(QStringLiteral("j.txt")));
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("j.txt")));
    f.form->ZavOkno->trigger();
    QCOMPARE(f.state.documents.openSlotCount, 1);
    QVERIFY(f.form->RichEdit2->toPlainText().endsWith(QStringLiteral("zmena")));
}

void TestSaveOpen::unreadablePlainFileOpensEmpty()
{
    Fixture f;
    QTest::keyClicks(f.form->RichEdit2, QStringLiteral("puvodni"));
    QVERIFY(f.form->OpenFile(f.path(QStringLiteral("neni.txt"))));
    QCOMPARE(f.fake.dialogs.shown.last().kind, MessageKind::Error);
    QCOMPARE(f.form->RichEdit2->toPlainText(), QString());
    QCOMPARE(f.state.documents.openSlotCount, 2);
    f.form->OknoItem[0]->trigger();
    QVERIFY(f.form->RichEdit2->toPlainText().endsWith(QStringLiteral("puvodni")));
}

void TestSaveOpen::unrepresentableCharactersAsked()
{
    Fixture f;
    f.form->RichEdit2->insertPlainText(QStringLiteral("jin ☯ jang"));
    f.fake.dialogs.answers << Answer::No;
    f.saveAs(QStringLiteral("k.txt"));
    QVERIFY(f.state.documents.saveCancelled);
    QVERIFY(!QFile::exists(f.path(QStringLiteral("k.txt"))));
    QVERIFY(f.fake.dialogs.texts().last().contains(QStringLiteral("☯")));
    f.fake.dialogs.answers << Answer::Yes;
    f.saveAs(QStringLiteral("k.txt"));
    QVERIFY(f.bytes(QStringLiteral("k.txt")).contains("jin ? jang"));
}

void TestSaveOpen::textKeptAsWritten_data()
{
    QTest::addColumn<QByteArray>("file"); // as another editor, or the program, left it
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("UTF-8") << QByteArray("Ot\xc3\xa1zka: P\xc5\xafjdu?\n\xc5\xbdlu\xc5\xa5ou\xc4\x8dk\xc3\xbd\n")
                           << QStringLiteral("Otázka: Půjdu?\nŽluťoučký")
                           << QByteArray("Ot\xe1zka: P\xf9jdu?\r\n\x8elu\x9dou\xe8k\xfd\r\n");
    QTest::newRow("UTF-8 with its mark") << QByteArray("\xef\xbb\xbf" "A\xc2\xa0\xc4\x8c\n") << QStringLiteral("A\u00A0Č")
                                         << QByteArray("A\xa0\xc8\r\n");
    QTest::newRow("no-break spaces") << QByteArray("v\xa0" "7\xa0h, 5\xa0%\r\n") << QStringLiteral("v\u00A07\u00A0h, 5\u00A0%")
                                     << QByteArray("v\xa0" "7\xa0h, 5\xa0%\r\n");
}

void TestSaveOpen::textKeptAsWritten()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);
    QFETCH(QByteArray, saved);
    Fixture f;
    QFile out(f.path(QStringLiteral("z.txt")));
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();
    for (int round = 0; round < 2; ++round) { // opened as written, then as saved
        QVERIFY(f.form->OpenFile(f.path(QStringLiteral("z.txt"))));
        QCOMPARE(f.form->RichEdit2->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n'), shown);
        f.form->Save1->trigger();
        QCOMPARE(f.bytes(QStringLiteral("z.txt")), saved);
        f.form->ZavOkno->trigger();
    }
    QVERIFY(f.fake.dialogs.shown.isEmpty()); // nothing to ask about characters
}

void TestSaveOpen::dialogsStartInDataFolder()
{
    const QString previous = QDir::currentPath();
    Fixture f;
    QVERIFY(QDir::setCurrent(f.dir.path()));
    QVERIFY(QDir().mkdir(QStringLiteral("Data")));
    f.form->SaveAs1->trigger(); // cancelled
    f.saveAs(QStringLiteral("Moje otázka.txt"));
    f.form->SaveAs1->trigger();
    f.form->Open1->trigger();
    const QString data = f.path(QStringLiteral("Data"));
    QCOMPARE(f.fake.fileDialogs.startPaths,
             (QStringList{data, data, data + QStringLiteral("/Moje otázka.txt"), data}));
    QVERIFY(QDir::setCurrent(previous));
}

QTEST_MAIN(TestSaveOpen)
#include "tst_saveopen.moc"
