#pragma once
// TPasswordDlg, the file password dialog: created once at start-up and
// reused for saving, opening and find in files. It asks; the rules of what
// a password may be are in PasswordRules, and messages go through the
// Dialogs seam.

#include <QDialog>
#include <optional>

class Dialogs;
enum class MessageKind;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    // How the dialog was closed.
    enum ModalResult { mrCancel = QDialog::Rejected, mrOk = QDialog::Accepted, mrAbort = 3 };

    explicit TPasswordDlg(Dialogs &dialogs, QWidget *parent = nullptr);

    // Controls, under their form names, top to bottom.
    QCheckBox *CheckBox1 = nullptr; // "Použít skrytý text (****)"
    QLabel *Label1 = nullptr;
    QLineEdit *Password = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *Button1 = nullptr; // "Ukončit", shown by find in files only

    void FormShow();
    void PasswordChange();
    void CheckBox1Click();
    void CancelBtnClick();
    void Button1Click();

    // Shows the dialog modally and returns how it was closed (ModalResult).
    // Tests override it to drive the real controls without blocking.
    virtual int ShowModal();

    // Saving to an encrypted file: asks for a new password and its
    // confirmation. Returns the trimmed password, or nothing when nothing
    // may be written; the reason has then been shown (after OK only).
    std::optional<QString> AskNewPassword();

    // Opening an encrypted file: asks with the entry masked. Returns the
    // trimmed password; empty means the open fails silently.
    QString AskPassword();

    // Find in files: asks for the password of one protected file, with the
    // cancel button reading "Přeskočit" and "Ukončit" shown. Returns the
    // trimmed entry (empty after "Přeskočit" or "Ukončit"); *result receives
    // how the dialog was closed. The dialog is set back for other uses.
    QString AskFileSearchPassword(const QString &fileName, int *result = nullptr);

    static inline const QString kCaption = QStringLiteral("Heslo");
    static inline const QString kConfirmCaption = QStringLiteral("Potvrzení hesla");
    static inline const QString kLabel = QStringLiteral("Zadejte heslo (rozlišovat malá a velká písmena):");
    static inline const QString kConfirmLabel = QStringLiteral("Opakujte heslo (rozlišovat malá a velká písmena):");

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ResetCaptionAndLabel();
    void Tell(MessageKind kind, const QString &text);

    Dialogs &m_dialogs;
};
