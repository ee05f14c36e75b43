// Crash recovery through the real main window: copies kept while typing and
// casting, a crash simulated by a session that ends without its clean close
// (copies left, no running mark), and the offer at the next start.

#include "files/ConsultationFile.h"
#include "files/RecoveryStore.h"
#include "reading/MarkerLine.h"
#include "support/MainWindowFixture.h"
#include "support/ScriptedPasswordDlg.h"
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QDirIterator>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// One run of Zendra whose copies go to the given folder.
struct Session : MainWindowFixture {
    std::unique_ptr<RecoveryStore> store;
    ScriptedPasswordDlg *passwords = nullptr;
    explicit Session(const QString &folder)
    {
        passwords = new ScriptedPasswordDlg(fake.dialogs, form);
        form->setPasswordDialog(passwords);
        form->Zadny->trigger();
        store = std::make_unique<RecoveryStore>(folder);
        form->setRecoveryStore(store.get());
    }
    // Without closeCleanly(): the copies stay and the running mark goes, as
    // after a crash.
    ~Session() { form->setRecoveryStore(nullptr); }

    // Typed key by key, Czech letters too (keyClicks takes Latin-1 only).
    void type(const QString &text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(form->RichEdit2, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(form->RichEdit2, &release);
        }
    }
    void tick() { QMetaObject::invokeMethod(form->findChild<QTimer *>(QStringLiteral("RecoveryTimer")), "timeout"); }
    QString editorText() const { return form->RichEdit2->toPlainText(); }
    // The open slots in "&Okno" order.
    QList<int> openSlots() const
    {
        QList<int> open;
        for (int k : state.documents.menuOrder())
            if (state.documents[k].isOpen())
                open << k;
        return open;
    }
    int slotNamed(const QString &name) const
    {
        for (int k : openSlots())
            if (state.documents[k].caption == name)
                return k;
        return 0;
    }
};

QByteArray AllBytesUnder(const QString &folder)
{
    QByteArray all;
    QDirIterator it(folder, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            all += f.readAll();
    }
    return all;
}

QStringList CopiesIn(const QString &folder)
{
    return QDir(folder).entryList({u'*' + Recovery::kSuffix}, QDir::Files);
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void copiesFollowTypingCastsAndSaves();
    void crashThenRestore();
    void crashThenDiscard();
    void cleanCloseLeavesNothingToOffer();
    void encryptedConsultationStaysEncrypted();
};

void TestRecovery::copiesFollowTypingCastsAndSaves()
{
    QTemporaryDir dir;
    Session s(dir.path());
    QTimer *timer = s.form->findChild<QTimer *>(QStringLiteral("RecoveryTimer"));
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 30000);

    s.type(QStringLiteral("Co mě čeká?"));
    QVERIFY(CopiesIn(dir.path()).isEmpty()); // typing alone waits for the half minute
    s.tick();
    QCOMPARE(CopiesIn(dir.path()).size(), 1);
    QVERIFY(AllBytesUnder(dir.path()).contains("Co mě čeká?"));

    // A finished cast is kept at once, marker line included.
    s.throwCast(QStringLiteral("789968"));
    QVERIFY(AllBytesUnder(dir.path()).contains("CHHEX:789968"));

    // Saved: the copy goes; a new unsaved consultation gets its own.
    s.fake.fileDialogs.saveAnswers.enqueue(dir.filePath(QStringLiteral("a.txt")));
    s.form->SaveAs1->trigger();
    QVERIFY(CopiesIn(dir.path()).isEmpty());
    s.form->New1->trigger();
    s.type(QStringLiteral("druhá"));
    s.tick();
    QCOMPARE(CopiesIn(dir.path()).size(), 1);
    // Closed without saving ("Ne"): its copy goes at the next tick.
    s.fake.dialogs.answers.enqueue(Answer::No);
    s.form->ZavOkno->trigger();
    s.tick();
    QVERIFY(CopiesIn(dir.path()).isEmpty());
}

void TestRecovery::crashThenRestore()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("obnova"));
    const QString bound = dir.filePath(QStringLiteral("vázaná.txt"));
    {
        Session crashed(folder);
        crashed.type(QStringLiteral("Mám změnit práci?"));
        crashed.throwCast(QStringLiteral("789968"));       // Nový 1, with its cast
        crashed.form->New1->trigger();                      // Nový 2, typed only
        crashed.type(QStringLiteral("Druhá otázka"));
        crashed.form->New1->trigger();                      // Nový 3, bound to a file
        crashed.type(QStringLiteral("Třetí"));
        crashed.fake.fileDialogs.saveAnswers.enqueue(bound);
        crashed.form->SaveAs1->trigger();
        crashed.type(QStringLiteral(" a dopsaná"));
        crashed.form->New1->trigger();                      // Nový 4, untouched
        crashed.tick();
        QCOMPARE(CopiesIn(folder).size(), 3);
    }

    Session next(folder);
    QCOMPARE(next.openSlots().size(), 1); // the fresh Nový 1 of the start
    next.fake.dialogs.answers.enqueue(Answer::Yes);
    next.form->OfferRecovery();

    QCOMPARE(next.fake.dialogs.shown.size(), 1);
    const ShownMessage offer = next.fake.dialogs.shown[0];
    QCOMPARE(offer.caption, QStringLiteral("Obnova konzultací"));
    QVERIFY(offer.text.startsWith(QStringLiteral("Zendra nebyla minule řádně ukončena.")));
    for (const QString &name : {QStringLiteral("• Nový 1"), QStringLiteral("• Nový 2"), QStringLiteral("• ") + bound})
        QVERIFY2(offer.text.contains(name), qPrintable(offer.text));
    QCOMPARE(next.fake.dialogs.choiceButtons, QStringList({QStringLiteral("Obnovit"), QStringLiteral("Zahodit")}));

    // Each in its own window, modified, under its name and binding; the
    // empty start consultation gave way.
    QCOMPARE(next.openSlots().size(), 3);
    const DocumentSlots &docs = next.state.documents;
    const int first = next.slotNamed(QStringLiteral("Nový 1"));
    const int second = next.slotNamed(QStringLiteral("Nový 2"));
    const int third = next.slotNamed(bound);
    QVERIFY(first && second && third);
    for (int k : {first, second, third})
        QVERIFY(docs[k].modified);
    QCOMPARE(docs[third].fileName, bound);
    QVERIFY(docs[first].fileName.isEmpty());

    next.form->SwitchToSlot(first);
    QVERIFY(next.state.lines.hasHexagram);
    QCOMPARE(MarkerLine(next.state.lines.castLines), QStringLiteral("CHHEX:789968"));
    QVERIFY(next.editorText().contains(QStringLiteral("Mám změnit práci?")));
    QVERIFY(!next.editorText().contains(QStringLiteral("CHHEX")));
    QVERIFY(!next.form->Button[0]->isEnabled());
    next.form->SwitchToSlot(second);
    QVERIFY(!next.state.lines.hasHexagram);
    QVERIFY(next.editorText().contains(QStringLiteral("Druhá otázka")));
    next.form->SwitchToSlot(third);
    QVERIFY(next.editorText().contains(QStringLiteral("Třetí a dopsaná")));
    QCOMPARE(next.form->windowTitle(), QStringLiteral("Zendra  ") + bound);

    // The next new consultation does not repeat a restored number.
    next.form->New1->trigger();
    QCOMPARE(docs[docs.currentSlot].caption, QStringLiteral("Nový 3"));

    // The old session's copies are gone; this session keeps its own.
    QCOMPARE(CopiesIn(folder).size(), 3);
    Session another(folder);
    QVERIFY(another.store->claimAbandoned().isEmpty());

    // "Uložit" of the restored bound one writes its file.
    next.form->SwitchToSlot(third);
    next.form->Save1->trigger();
    QVERIFY(ConsultationFile::ReadFile(bound).contains("dopsan"));
}

void TestRecovery::crashThenDiscard()
{
    QTemporaryDir dir;
    {
        Session crashed(dir.path());
        crashed.type(QStringLiteral("ztracená"));
        crashed.tick();
    }
    Session next(dir.path());
    next.form->OfferRecovery(); // no answer queued: "Zahodit"
    QCOMPARE(next.fake.dialogs.shown.size(), 1);
    QVERIFY(CopiesIn(dir.path()).isEmpty());
    QCOMPARE(next.openSlots().size(), 1);
    QVERIFY(!next.editorText().contains(QStringLiteral("ztracená")));
    // Nothing is offered again.
    Session later(dir.path());
    later.form->OfferRecovery();
    QVERIFY(later.fake.dialogs.shown.isEmpty());
}

void TestRecovery::cleanCloseLeavesNothingToOffer()
{
    QTemporaryDir dir;
    {
        Session s(dir.path());
        s.type(QStringLiteral("rozepsaná"));
        s.form->New1->trigger();
        s.type(QStringLiteral("další"));
        s.tick();
        QCOMPARE(CopiesIn(dir.path()).size(), 2);
        s.fake.dialogs.answers << Answer::No << Answer::No;
        QVERIFY(s.form->close());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
    Session next(dir.path());
    next.form->OfferRecovery();
    QVERIFY(next.fake.dialogs.shown.isEmpty());

    // A close the user cancels is no clean close: the copies stay.
    next.type(QStringLiteral("x"));
    next.tick();
    next.fake.dialogs.answers << Answer::Cancel;
    QVERIFY(!next.form->close());
    QCOMPARE(CopiesIn(dir.path()).size(), 1);
}

void TestRecovery::encryptedConsultationStaysEncrypted()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("obnova"));
    const QString secret = QStringLiteral("Tajemství žluťoučkého koně");
    const QString saved = dir.filePath(QStringLiteral("tajná.txg"));
    const QString opened = dir.filePath(QStringLiteral("jiná.txg"));
    ConsultationFile::WriteFile(opened, ConsultationFile::SavedForm(opened, {QStringLiteral("Otázka: stará")},
                                                                     QStringLiteral("jiné")));
    auto verifyNoPlainText = [&] {
        const QByteArray disk = AllBytesUnder(folder);
        QVERIFY(!disk.contains(secret.toUtf8()));
        QVERIFY(!disk.contains(ConsultationFile::ToCodePage(secret)));
        QVERIFY(!disk.contains("CHHEX"));
    };
    {
        Session crashed(folder);
        // Bound to an encrypted file by a save: the password of the save keys its copy.
        crashed.type(QStringLiteral("Otázka pod heslem"));
        crashed.passwords->entries << QStringLiteral("heslo") << QStringLiteral("heslo");
        crashed.fake.fileDialogs.saveAnswers.enqueue(saved);
        crashed.form->SaveAs1->trigger();
        QCOMPARE(crashed.state.documents.current().fileName, saved);
        crashed.type(u' ' + secret);
        crashed.throwCast(QStringLiteral("666777"));
        QCOMPARE(CopiesIn(folder).size(), 1);
        verifyNoPlainText();
        // Bound by an open: the password of the open.
        crashed.passwords->entries << QStringLiteral("jiné");
        crashed.fake.fileDialogs.openAnswers.enqueue(opened);
        crashed.form->Open1->trigger();
        QCOMPARE(crashed.state.documents.current().fileName, opened);
        crashed.type(u' ' + secret);
        crashed.tick();
        QCOMPARE(CopiesIn(folder).size(), 2);
        verifyNoPlainText();
    }

    // A wrong password and "Přeskočit" keep the copies for the next start.
    {
        Session next(folder);
        next.fake.dialogs.answers.enqueue(Answer::Yes);
        next.passwords->entries << QStringLiteral("Heslo") << QString();
        next.form->OfferRecovery();
        QVERIFY(next.fake.dialogs.texts().contains(saved + QStringLiteral(": Chybné heslo.")));
        QVERIFY(next.fake.dialogs.shown[0].text.contains(saved + QStringLiteral(" (chráněná heslem)")));
        QCOMPARE(next.passwords->captions.size(), 2);
        QVERIFY(next.passwords->captions[0].endsWith(QStringLiteral("tajná.txg")));
        QCOMPARE(next.openSlots().size(), 1);
    }
    QCOMPARE(CopiesIn(folder).size(), 2);

    Session last(folder);
    last.fake.dialogs.answers.enqueue(Answer::Yes);
    last.passwords->entries << QStringLiteral("heslo") << QStringLiteral("jiné");
    last.form->OfferRecovery();
    QCOMPARE(last.openSlots().size(), 2);
    for (const QString &file : {saved, opened}) {
        const int k = last.slotNamed(file);
        QVERIFY(k);
        QCOMPARE(last.state.documents[k].fileName, file);
        QVERIFY(last.state.documents[k].modified);
        last.form->SwitchToSlot(k);
        QVERIFY(last.editorText().contains(secret));
        QCOMPARE(last.state.lines.hasHexagram, file == saved);
    }
    // Still bound to encrypted files: this session's copies are encrypted too.
    QCOMPARE(CopiesIn(folder).size(), 2);
    verifyNoPlainText();
}

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
