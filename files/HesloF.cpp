#include "files/HesloF.h"
#include "platform/Platform.h"
#include "files/PasswordRules.h"
#include "ui/Guidance.h"
#include <QCheckBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The dialog was laid out at 120 pixels per inch.
constexpr int kDesignDpi = 120;
constexpr int kDesignWidth = 353, kDesignHeight = 160, kDesignFontPixels = 14;

const QString kCancelText = QStringLiteral("Storno");
const QString kSkipText = QStringLiteral("Přeskočit");

} // namespace

TPasswordDlg::TPasswordDlg(Dialogs &dialogs, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("PasswordDlg"));
    setWindowTitle(kCaption);
    setModal(true);

    const double scale = double(logicalDpiY()) / kDesignDpi;
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(qMax(9, int(kDesignFontPixels * scale)));
    setFont(font);

    CheckBox1 = new QCheckBox(QStringLiteral("Použít skrytý text (****)"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Label1 = new QLabel(kLabel, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Password = new QLineEdit(this);
    Password->setObjectName(QStringLiteral("Password"));
    // The masked entry shows asterisks, as the check box's caption promises.
    Password->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    Label1->setBuddy(Password);
    // Room for the longer confirmation label too, so that it is never cut.
    Label1->setMinimumWidth(qMax(Label1->fontMetrics().horizontalAdvance(kLabel),
                                 Label1->fontMetrics().horizontalAdvance(kConfirmLabel)));

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(kCancelText, this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    Button1 = new QPushButton(QStringLiteral("Ukončit"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    Button1->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(Button1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(CheckBox1);
    layout->addWidget(Label1);
    layout->addWidget(Password);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(Password, &QLineEdit::textChanged, this, &TPasswordDlg::PasswordChange);
    connect(CheckBox1, &QCheckBox::toggled, this, &TPasswordDlg::CheckBox1Click);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TPasswordDlg::CancelBtnClick);
    connect(Button1, &QPushButton::clicked, this, &TPasswordDlg::Button1Click);

    Describe(CheckBox1, {}, QStringLiteral("Zaškrtnuto: heslo se při psaní ukazuje jako hvězdičky."));
    // The label above names the entry, and says when the password is to be repeated.
    Describe(Password, {}, QStringLiteral("Heslo souboru. Bez něj zašifrovaný soubor nikdo neotevře."));
    Describe(OKBtn, {}, QStringLiteral("Potvrdí napsané heslo."));
    Describe(CancelBtn, {}, QStringLiteral("Zavře okno bez hesla."));
    Describe(Button1, {}, QStringLiteral("Ukončí hledání v souborech."));

    CheckBox1Click();
    setFixedSize(QSize(int(kDesignWidth * scale), int(kDesignHeight * scale)).expandedTo(sizeHint()));
}

void TPasswordDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void TPasswordDlg::FormShow()
{
    Password->setFocus();
    OKBtn->setEnabled(false);
}

void TPasswordDlg::PasswordChange()
{
    OKBtn->setEnabled(!TrimPassword(Password->text()).isEmpty());
}

void TPasswordDlg::CheckBox1Click()
{
    if (CheckBox1->isChecked()) {
        Password->setEchoMode(QLineEdit::Password);
    } else {
        Password->clear();
        Password->setEchoMode(QLineEdit::Normal);
    }
}

void TPasswordDlg::CancelBtnClick()
{
    Password->clear();
    done(mrCancel);
}

void TPasswordDlg::Button1Click()
{
    Password->clear();
    done(mrAbort);
}

// Esc and closing the window count as "Storno": the entry must not survive
// into an open that takes whatever the entry holds.
void TPasswordDlg::reject()
{
    Password->clear();
    QDialog::reject();
}

int TPasswordDlg::ShowModal()
{
    return exec();
}

void TPasswordDlg::ResetCaptionAndLabel()
{
    setWindowTitle(kCaption);
    Label1->setText(kLabel);
    Password->clear();
}

void TPasswordDlg::Tell(MessageKind kind, const QString &text)
{
    m_dialogs.message(kind, kProgramCaption, text);
}

std::optional<QString> TPasswordDlg::AskNewPassword()
{
    CheckBox1->setChecked(false);
    Password->clear(); // also when the box was unchecked already
    const int first = ShowModal();
    const QString password = TrimPassword(Password->text());
    Password->clear();
    if (password.isEmpty()) {
        if (first == mrOk)
            Tell(MessageKind::Information, PasswordMessages::kNotEntered);
        return std::nullopt;
    }
    // Refuse an unusable password before asking to repeat it.
    try {
        KeyForNewPassword(password);
    } catch (const EPasswordRefused &e) {
        Tell(MessageKind::Warning, e.message());
        return std::nullopt;
    }

    setWindowTitle(kConfirmCaption);
    Label1->setText(kConfirmLabel);
    const int second = ShowModal();
    const QString confirmation = TrimPassword(Password->text());
    ResetCaptionAndLabel();
    if (confirmation != password) {
        if (second == mrOk)
            Tell(MessageKind::Information, PasswordMessages::kConfirmationDiffers);
        return std::nullopt;
    }
    return password;
}

QString TPasswordDlg::AskPassword()
{
    CheckBox1->setChecked(true);
    ShowModal();
    const QString password = TrimPassword(Password->text());
    Password->clear();
    return password;
}

QString TPasswordDlg::AskFileSearchPassword(const QString &fileName, int *result)
{
    setWindowTitle(kCaption + QStringLiteral(" - ") + QFileInfo(fileName).fileName());
    CheckBox1->setChecked(true);
    CancelBtn->setText(kSkipText);
    Button1->show();
    const int closed = ShowModal();
    const QString password = TrimPassword(Password->text());
    Password->clear();
    Button1->hide();
    CancelBtn->setText(kCancelText);
    setWindowTitle(kCaption);
    if (result)
        *result = closed;
    return password;
}
