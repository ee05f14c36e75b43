// The password dialog driven through its real controls: the OK button's
// state, the masking check box, and the conversations of saving, opening
// and find in files with the messages they leave.

#include "files/HesloF.h"
#include "files/PasswordRules.h"
#include "support/FakePlatform.h"
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QQueue>
#include <QTest>

namespace {

enum class Close {
    Ok,       // click OK
    Enter,    // Return in the entry: the default button
    Storno,   // click the cancel button
    Escape,   // Esc
    Ukoncit,  // click the "Ukončit" button
    ForcedOk, // OK forced on although the entry is blank
};

struct Turn {
    QString typed;
    Close close;
};

// Types like a keyboard, letters outside ASCII included.
void Type(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// What the user saw when the dialog came up, and how it went.
struct Seen {
    QString caption, label, entry, cancelText;
    bool okEnabled = false, entryFocused = false, masked = false, abortShown = false;
    bool okEnabledAfterTyping = false, closedByTheButton = false;
};

// Plays the user: each showing takes the next turn, types into the entry
// and closes the dialog. A dialog left open (OK disabled) is given up.
class ScriptedPasswordDlg : public TPasswordDlg {
public:
    using TPasswordDlg::TPasswordDlg;
    QQueue<Turn> turns;
    QList<Seen> seen;

    int ShowModal() override
    {
        setResult(mrCancel);
        open();
        Seen s;
        s.caption = windowTitle();
        s.label = Label1->text();
        s.entry = Password->text();
        s.cancelText = CancelBtn->text();
        s.okEnabled = OKBtn->isEnabled();
        s.entryFocused = focusWidget() == Password;
        s.masked = Password->echoMode() == QLineEdit::Password;
        s.abortShown = Button1->isVisibleTo(this);
        const Turn t = turns.isEmpty() ? Turn{QString(), Close::Escape} : turns.dequeue();
        Type(Password, t.typed);
        s.okEnabledAfterTyping = OKBtn->isEnabled();
        switch (t.close) {
        case Close::ForcedOk: OKBtn->setEnabled(true); [[fallthrough]];
        case Close::Ok: QTest::mouseClick(OKBtn, Qt::LeftButton); break;
        case Close::Enter: QTest::keyClick(Password, Qt::Key_Return); break;
        case Close::Storno: QTest::mouseClick(CancelBtn, Qt::LeftButton); break;
        case Close::Escape: QTest::keyClick(Password, Qt::Key_Escape); break;
        case Close::Ukoncit: QTest::mouseClick(Button1, Qt::LeftButton); break;
        }
        s.closedByTheButton = !isVisible();
        if (isVisible())
            reject();
        seen.append(s);
        return result();
    }
};

} // namespace

Q_DECLARE_METATYPE(Close)

class TestPasswordDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void controls();
    void okFollowsTheEntry_data();
    void okFollowsTheEntry();
    void uncheckingEmptiesTheEntry();
    void saving_data();
    void saving();
    void opening_data();
    void opening();
    void fileSearch_data();
    void fileSearch();
    void savedAndOpenedWithBlanks();

private:
    FakePlatform *m_platform = nullptr;
    ScriptedPasswordDlg *m_dlg = nullptr;
};

void TestPasswordDialog::init()
{
    m_platform = new FakePlatform;
    m_dlg = new ScriptedPasswordDlg(m_platform->dialogs);
}

void TestPasswordDialog::cleanup()
{
    delete m_dlg;
    delete m_platform;
}

void TestPasswordDialog::controls()
{
    TPasswordDlg &d = *m_dlg;
    QCOMPARE(d.windowTitle(), QStringLiteral("Heslo"));
    QCOMPARE(d.CheckBox1->text(), QStringLiteral("Použít skrytý text (****)"));
    QCOMPARE(d.Label1->text(), QStringLiteral("Zadejte heslo (rozlišovat malá a velká písmena):"));
    QCOMPARE(d.OKBtn->text(), QStringLiteral("OK"));
    QCOMPARE(d.CancelBtn->text(), QStringLiteral("Storno"));
    QCOMPARE(d.Button1->text(), QStringLiteral("Ukončit"));
    QVERIFY(d.OKBtn->isDefault());
    QVERIFY(!d.Button1->isVisibleTo(&d));
    QVERIFY(d.isModal());
    QVERIFY(!(d.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(d.width() >= 282 && d.height() >= 128);

    d.open();
    QVERIFY(d.CheckBox1->y() < d.Label1->y());
    QVERIFY(d.Label1->y() < d.Password->y());
    QVERIFY(d.Password->y() < d.OKBtn->y());
    QCOMPARE(d.OKBtn->y(), d.CancelBtn->y());
    // The confirmation label fits as well as the first one.
    QVERIFY(d.Label1->width() >= d.Label1->fontMetrics().horizontalAdvance(TPasswordDlg::kConfirmLabel));
    d.reject();
}

void TestPasswordDialog::okFollowsTheEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("okEnabled");
    QTest::newRow("nothing") << "" << false;
    QTest::newRow("one space") << " " << false;
    QTest::newRow("spaces") << "     " << false;
    QTest::newRow("a letter") << "a" << true;
    QTest::newRow("letter in spaces") << "  a  " << true;
}

void TestPasswordDialog::okFollowsTheEntry()
{
    QFETCH(QString, typed);
    QFETCH(bool, okEnabled);
    TPasswordDlg &d = *m_dlg;
    d.Password->setText(QStringLiteral("left over"));
    d.open();
    QVERIFY(!d.OKBtn->isEnabled()); // FormShow disables it whatever the entry holds
    QCOMPARE(d.focusWidget(), d.Password);
    d.Password->clear();
    Type(d.Password, typed);
    QCOMPARE(d.OKBtn->isEnabled(), okEnabled);
    // Taking the entry back to nothing disables OK again.
    for (int i = 0; i < typed.size(); ++i)
        QTest::keyClick(d.Password, Qt::Key_Backspace);
    QVERIFY(!d.OKBtn->isEnabled());
    QTest::keyClick(d.Password, Qt::Key_Return);
    QVERIFY2(d.isVisible(), "Return closed the dialog with OK disabled");
    d.reject();
}

void TestPasswordDialog::uncheckingEmptiesTheEntry()
{
    TPasswordDlg &d = *m_dlg;
    d.CheckBox1->setChecked(true);
    d.open();
    Type(d.Password, QStringLiteral("tajné"));
    QCOMPARE(d.Password->echoMode(), QLineEdit::Password);
    QVERIFY(d.OKBtn->isEnabled());

    QTest::mouseClick(d.CheckBox1, Qt::LeftButton);
    QVERIFY(!d.CheckBox1->isChecked());
    QCOMPARE(d.Password->text(), QString());
    QCOMPARE(d.Password->echoMode(), QLineEdit::Normal);
    QVERIFY(!d.OKBtn->isEnabled());

    // Checking masks again and keeps what is typed.
    Type(d.Password, QStringLiteral("znovu"));
    QTest::mouseClick(d.CheckBox1, Qt::LeftButton);
    QCOMPARE(d.Password->text(), QStringLiteral("znovu"));
    QCOMPARE(d.Password->echoMode(), QLineEdit::Password);
    d.reject();
}

void TestPasswordDialog::saving_data()
{
    QTest::addColumn<QList<Turn>>("turns");
    QTest::addColumn<QString>("password"); // null: nothing may be written
    QTest::addColumn<QStringList>("messages");

    const QString none;
    QTest::newRow("both agree") << QList<Turn>{{"tajne", Close::Ok}, {"tajne", Close::Ok}} << "tajne" << QStringList();
    QTest::newRow("blanks trimmed")
        << QList<Turn>{{"  tajne ", Close::Enter}, {"tajne   ", Close::Ok}} << "tajne" << QStringList();
    QTest::newRow("first Storno") << QList<Turn>{{"tajne", Close::Storno}} << none << QStringList();
    QTest::newRow("first Esc") << QList<Turn>{{"tajne", Close::Escape}} << none << QStringList();
    QTest::newRow("first blank, given up") << QList<Turn>{{"   ", Close::Ok}} << none << QStringList();
    // OK cannot be pressed on a blank entry; forced here for the message rule.
    QTest::newRow("first blank, OK forced")
        << QList<Turn>{{"   ", Close::ForcedOk}} << none << QStringList{PasswordMessages::kNotEntered};
    QTest::newRow("confirmation differs in case")
        << QList<Turn>{{"tajne", Close::Ok}, {"Tajne", Close::Ok}} << none
        << QStringList{PasswordMessages::kConfirmationDiffers};
    QTest::newRow("confirmation Storno")
        << QList<Turn>{{"tajne", Close::Ok}, {"tajne", Close::Storno}} << none << QStringList();
    QTest::newRow("confirmation Esc")
        << QList<Turn>{{"tajne", Close::Ok}, {"tajne", Close::Escape}} << none << QStringList();
    QTest::newRow("confirmation blank, given up")
        << QList<Turn>{{"tajne", Close::Ok}, {"  ", Close::Ok}} << none << QStringList();
    QTest::newRow("weak key refused at once")
        << QList<Turn>{{"heslo31495", Close::Ok}} << none << QStringList{PasswordMessages::kWeakKey};
    QTest::newRow("character outside the code page")
        << QList<Turn>{{QStringLiteral("heslo α"), Close::Ok}} << none
        << QStringList{PasswordMessages::kUnrepresentable.arg(QStringLiteral("α"))};
    QTest::newRow("256 characters")
        << QList<Turn>{{QString(256, u'x'), Close::Ok}} << none << QStringList{PasswordMessages::kLengthMultipleOf256};
}

void TestPasswordDialog::saving()
{
    QFETCH(QList<Turn>, turns);
    QFETCH(QString, password);
    QFETCH(QStringList, messages);
    ScriptedPasswordDlg &d = *m_dlg;
    // A masked entry left by an earlier open must not carry over.
    d.CheckBox1->setChecked(true);
    d.Password->setText(QStringLiteral("zbytek"));
    d.turns = QQueue<Turn>(turns);

    const std::optional<QString> got = d.AskNewPassword();

    QCOMPARE(bool(got), !password.isNull());
    if (got)
        QCOMPARE(*got, password);
    QCOMPARE(m_platform->dialogs.texts(), messages);
    QCOMPARE(d.seen.size(), turns.size());
    QVERIFY(d.turns.isEmpty());

    const Seen &first = d.seen.first();
    QCOMPARE(first.caption, QStringLiteral("Heslo"));
    QCOMPARE(first.label, TPasswordDlg::kLabel);
    QCOMPARE(first.entry, QString());
    QVERIFY(!first.masked);
    QVERIFY(!first.okEnabled);
    QVERIFY(first.entryFocused);
    if (d.seen.size() > 1) {
        const Seen &second = d.seen.at(1);
        QCOMPARE(second.caption, QStringLiteral("Potvrzení hesla"));
        QCOMPARE(second.label, QStringLiteral("Opakujte heslo (rozlišovat malá a velká písmena):"));
        QCOMPARE(second.entry, QString());
        QVERIFY(!second.okEnabled);
    }
    // Whatever happened, the dialog is back as it was for the next use.
    QCOMPARE(d.windowTitle(), QStringLiteral("Heslo"));
    QCOMPARE(d.Label1->text(), TPasswordDlg::kLabel);
    QCOMPARE(d.Password->text(), QString());
    for (const ShownMessage &m : m_platform->dialogs.shown)
        QCOMPARE(m.caption, QStringLiteral("Zendra 2.1"));
}

void TestPasswordDialog::opening_data()
{
    QTest::addColumn<Turn>("turn");
    QTest::addColumn<QString>("password");
    QTest::newRow("OK") << Turn{"Tajne", Close::Ok} << "Tajne";
    QTest::newRow("Return, blanks trimmed") << Turn{"  Tajne  ", Close::Enter} << "Tajne";
    QTest::newRow("Storno") << Turn{"Tajne", Close::Storno} << "";
    QTest::newRow("Esc") << Turn{"Tajne", Close::Escape} << "";
    QTest::newRow("blank, given up") << Turn{"   ", Close::Ok} << "";
}

void TestPasswordDialog::opening()
{
    QFETCH(Turn, turn);
    QFETCH(QString, password);
    ScriptedPasswordDlg &d = *m_dlg;
    d.turns.enqueue(turn);
    QCOMPARE(d.AskPassword(), password);
    QCOMPARE(d.seen.size(), 1);
    QVERIFY(d.seen.first().masked);
    QVERIFY(!d.seen.first().okEnabled);
    QCOMPARE(d.Password->text(), QString());
    QVERIFY(m_platform->dialogs.shown.isEmpty());
}

void TestPasswordDialog::fileSearch_data()
{
    QTest::addColumn<Turn>("turn");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << Turn{" Tajne ", Close::Ok} << "Tajne" << int(TPasswordDlg::mrOk);
    QTest::newRow("Přeskočit") << Turn{"Tajne", Close::Storno} << "" << int(TPasswordDlg::mrCancel);
    QTest::newRow("Ukončit") << Turn{"Tajne", Close::Ukoncit} << "" << int(TPasswordDlg::mrAbort);
}

void TestPasswordDialog::fileSearch()
{
    QFETCH(Turn, turn);
    QFETCH(QString, password);
    QFETCH(int, result);
    ScriptedPasswordDlg &d = *m_dlg;
    d.turns.enqueue(turn);
    int closed = -1;
    QCOMPARE(d.AskFileSearchPassword(QStringLiteral("/home/jana/Data/otazka.txg"), &closed), password);
    QCOMPARE(closed, result);
    const Seen &s = d.seen.first();
    QCOMPARE(s.caption, QStringLiteral("Heslo - otazka.txg"));
    QCOMPARE(s.cancelText, QStringLiteral("Přeskočit"));
    QVERIFY(s.abortShown);
    QVERIFY(s.masked);
    QVERIFY(s.closedByTheButton);
    QCOMPARE(d.windowTitle(), QStringLiteral("Heslo"));
    QCOMPARE(d.CancelBtn->text(), QStringLiteral("Storno"));
    QVERIFY(!d.Button1->isVisibleTo(&d));
    QCOMPARE(d.Password->text(), QString());
    QVERIFY(m_platform->dialogs.shown.isEmpty());
}

// A password chosen with blanks around it opens the file typed without
// them, and the other way round; case still counts.
void TestPasswordDialog::savedAndOpenedWithBlanks()
{
    ScriptedPasswordDlg &d = *m_dlg;
    const QByteArray text = "Ot\xE1zka: Kam?\r\n";
    d.turns = QQueue<Turn>({{QStringLiteral("  Kůň"), Close::Ok}, {QStringLiteral("Kůň  "), Close::Ok}});
    const std::optional<QString> chosen = d.AskNewPassword();
    QVERIFY(chosen);
    const QByteArray stored = EncryptConsultation(text, *chosen);

    d.turns.enqueue({QStringLiteral("   Kůň "), Close::Enter});
    const std::optional<QByteArray> body = DecryptConsultation(stored, d.AskPassword());
    QVERIFY(body);
    QVERIFY(body->startsWith(text));

    d.turns.enqueue({QStringLiteral("kůň"), Close::Ok});
    QVERIFY(!DecryptConsultation(stored, d.AskPassword()));
}

QTEST_MAIN(TestPasswordDialog)
#include "tst_passworddialog.moc"
