// Crash recovery through the real main window: copies kept while typing and
// casting, a crash simulated by a session that ends without its clean close
// (copies left, no running mark), and the offer at the next start.

#include "files/CodePage.h"
#include "files/ConsultationFile.h"
#include "files/RecoveryStore.h"
#include "reading/MarkerLine.h"
#include "support/MainWindowFixture.h"
#include "support/ScriptedPasswordDlg.h"
#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// One run of Zendra whose copies go to the given folder. Its end without
// closeCleanly() is the crash: copies stay, the running mark goes.
struct Session : MainWindowFixture {
    std::unique_ptr<RecoveryStore> store;
    ScriptedPasswordDlg *passwords = nullptr;
    explicit Session(const QString &folder) : store(std::make_unique<RecoveryStore>(folder))
    {
        passwords = new ScriptedPasswordDlg(fake.dialogs, form);
        form->setPasswordDialog(passwords);
        form->Zadny->trigger();
        form->setRecoveryStore(store.get());
    }
    ~Session() { form->setRecoveryStore(nullptr); }

    // Key by key, Czech letters too (keyClicks takes Latin-1 only).
    void type(const QString &text)
    {
        for (QChar c : text)
            for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent key(t, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(form->RichEdit2, &key);
            }
    }
    QTimer *timer() const { return form->findChild<QTimer *>(QStringLiteral("RecoveryTimer")); }
    void tick() { QMetaObject::invokeMethod(timer(), "timeout"); }
    QString editorText() const { return form->RichEdit2->toPlainText(); }
    int slotNamed(const QString &name) const
    {
        for (int k = 1; k <= DocumentSlots::kMaxOpen; ++k)
            if (state.documents[k].isOpen() && state.documents[k].caption == name)
                return k;
        return 0;
    }
};

QByteArray AllBytesUnder(const QString &folder)
{
    QByteArray all;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden); it.hasNext();) {
        QFile f(it.next());
        all += f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    return all;
}

int Copies(const QString &folder) { return QDir(folder).entryList({u'*' + Recovery::kSuffix}, QDir::Files).size(); }

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void crashThenRestore();
    void discardThenCleanClose();
    void encryptedConsultationStaysEncrypted();
};

void TestRecovery::crashThenRestore()
{
    QTemporaryDir dir;
    const QString bound = dir.filePath(QStringLiteral("vázaná.txt"));
    {
        Session crashed(dir.path());
        QVERIFY(crashed.timer()->isActive());
        QCOMPARE(crashed.timer()->interval(), 30000);
        crashed.type(QStringLiteral("Mám změnit práci?"));
        QCOMPARE(Copies(dir.path()), 0); // typing waits for the half minute
        crashed.throwCast(QStringLiteral("789968"));       // Nový 1: a cast is kept at once
        QVERIFY(AllBytesUnder(dir.path()).contains("CHHEX:789968"));
        crashed.form->New1->trigger();                      // Nový 2, typed only
        crashed.type(QStringLiteral("Druhá otázka"));
        crashed.form->New1->trigger();                      // Nový 3, bound to a file
        crashed.type(QStringLiteral("Třetí"));
        crashed.tick();
        QCOMPARE(Copies(dir.path()), 3);
        crashed.fake.fileDialogs.saveAnswers.enqueue(bound);
        crashed.form->SaveAs1->trigger();
        QCOMPARE(Copies(dir.path()), 2); // saved: its copy goes at once
        crashed.type(QStringLiteral(" a dopsaná"));
        crashed.tick();
        QCOMPARE(Copies(dir.path()), 3);
    }

    Session next(dir.path());
    next.fake.dialogs.answers.enqueue(Answer::Yes);
    next.form->OfferRecovery();
    QCOMPARE(next.fake.dialogs.shown.size(), 1);
    const ShownMessage offer = next.fake.dialogs.shown[0];
    QCOMPARE(offer.caption, QStringLiteral("Obnova konzultací"));
    QVERIFY(offer.text.startsWith(QStringLiteral("Zendra nebyla minule řádně ukončena.")));
    for (const QString &name : {QStringLiteral("Nový 1"), QStringLiteral("Nový 2"), bound})
        QVERIFY2(offer.text.contains(QStringLiteral("• ") + name), qPrintable(offer.text));
    QCOMPARE(next.fake.dialogs.choiceButtons, QStringList({QStringLiteral("Obnovit"), QStringLiteral("Zahodit")}));

    // Each in its own window, modified, under its name and binding; the
    // empty consultation of the start gave way.
    QCOMPARE(next.state.documents.openSlotCount, 3);
    const int first = next.slotNamed(QStringLiteral("Nový 1")), third = next.slotNamed(bound);
    QVERIFY(first && third && next.slotNamed(QStringLiteral("Nový 2")));
    QVERIFY(next.state.documents[first].modified && next.state.documents[third].modified);
    QCOMPARE(next.state.documents[third].fileName, bound);
    next.form->SwitchToSlot(first);
    QCOMPARE(MarkerLine(next.state.lines.castLines), QStringLiteral("CHHEX:789968"));
    QVERIFY(next.state.lines.hasHexagram && !next.form->Button[0]->isEnabled());
    QVERIFY(next.editorText().contains(QStringLiteral("Mám změnit práci?")));
    QVERIFY(!next.editorText().contains(QStringLiteral("CHHEX")));
    next.form->SwitchToSlot(third);
    next.form->Save1->trigger();
    QVERIFY(ConsultationFile::ReadFile(bound).contains(CodePage::Encode(QStringLiteral("Třetí a dopsaná"))));
    next.form->New1->trigger(); // numbers go on after the restored ones
    QCOMPARE(next.state.documents.current().caption, QStringLiteral("Nový 3"));
    QCOMPARE(Copies(dir.path()), 2); // the old ones gone, this session's own kept
}

void TestRecovery::discardThenCleanClose()
{
    QTemporaryDir dir;
    {
        Session crashed(dir.path());
        crashed.type(QStringLiteral("ztracená"));
        crashed.tick();
    }
    {
        Session next(dir.path());
        next.form->OfferRecovery(); // no answer queued: "Zahodit"
        QCOMPARE(next.fake.dialogs.shown.size(), 1);
        QCOMPARE(Copies(dir.path()), 0);
        QVERIFY(!next.editorText().contains(QStringLiteral("ztracená")));

        next.type(QStringLiteral("rozepsaná"));
        next.tick();
        next.fake.dialogs.answers << Answer::Cancel;
        QVERIFY(!next.form->close()); // a close the user cancels is no clean close
        QCOMPARE(Copies(dir.path()), 1);
        next.fake.dialogs.answers << Answer::No;
        QVERIFY(next.form->close());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
}

void TestRecovery::encryptedConsultationStaysEncrypted()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("obnova"));
    const QString secret = QStringLiteral("Tajemství žluťoučkého koně");
    const QString saved = dir.filePath(QStringLiteral("tajná.txg")), opened = dir.filePath(QStringLiteral("jiná.txg"));
    ConsultationFile::WriteFile(opened, ConsultationFile::SavedForm(opened, {QStringLiteral("Otázka:")}, QStringLiteral("jiné")));
    const auto plainOnDisk = [&] {
        const QByteArray disk = AllBytesUnder(folder);
        return disk.contains(secret.toUtf8()) || disk.contains(CodePage::Encode(secret)) || disk.contains("CHHEX");
    };
    {
        Session crashed(folder);
        crashed.type(QStringLiteral("Otázka pod heslem"));
        crashed.passwords->entries << QStringLiteral("heslo") << QStringLiteral("heslo");
        crashed.fake.fileDialogs.saveAnswers.enqueue(saved);
        crashed.form->SaveAs1->trigger(); // bound by a save: its password keys the copy
        crashed.type(u' ' + secret);
        crashed.throwCast(QStringLiteral("666777"));
        crashed.passwords->entries << QStringLiteral("jiné");
        crashed.fake.fileDialogs.openAnswers.enqueue(opened);
        crashed.form->Open1->trigger(); // bound by an open: the password of the open
        crashed.type(u' ' + secret);
        crashed.tick();
        QCOMPARE(Copies(folder), 2);
        QVERIFY(!plainOnDisk());
    }
    {
        Session next(folder); // a wrong password, then "Přeskočit": both copies wait for the next start
        next.fake.dialogs.answers.enqueue(Answer::Yes);
        next.passwords->entries << QStringLiteral("Heslo") << QString();
        next.form->OfferRecovery();
        QVERIFY(next.fake.dialogs.shown[0].text.contains(saved + QStringLiteral(" (chráněná heslem)")));
        QVERIFY(next.fake.dialogs.texts().contains(saved + QStringLiteral(": Chybné heslo.")));
        QVERIFY(next.passwords->captions.value(0).endsWith(QStringLiteral("tajná.txg")));
        QCOMPARE(next.state.documents.openSlotCount, 1);
    }
    Session last(folder);
    last.fake.dialogs.answers.enqueue(Answer::Yes);
    last.passwords->entries << QStringLiteral("heslo") << QStringLiteral("jiné");
    last.form->OfferRecovery();
    QCOMPARE(last.state.documents.openSlotCount, 2);
    for (const QString &file : {saved, opened}) {
        const int k = last.slotNamed(file);
        QVERIFY(k && last.state.documents[k].modified);
        QCOMPARE(last.state.documents[k].fileName, file);
        last.form->SwitchToSlot(k);
        QVERIFY(last.editorText().contains(secret));
        QCOMPARE(last.state.lines.hasHexagram, file == saved);
    }
    QCOMPARE(Copies(folder), 2); // this session's copies, encrypted again
    QVERIFY(!plainOnDisk());
}

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
