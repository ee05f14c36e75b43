// Saving and opening consultation files: "&Uložit", "Uložit &Jako...",
// "&Otevřít..." and the open that find in files shares.

#include "app/Zendra12F.h"
#include "files/ConsultationFile.h"
#include "files/HesloF.h"
#include "files/PasswordRules.h"
#include "reading/MarkerLine.h"
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>

namespace {
const QString kSaveFilters = QStringLiteral("Textový soubor  *.txt (*.txt);;Šifrovaný soubor  *.txg (*.txg)");
const QString kOpenFilters = QStringLiteral(
    "*.txt, *.txg (*.txt *.txg);;Textové soubory  *.txt (*.txt);;Šifrované soubory  *.txg (*.txg)");
const QString kFilesLimitMessage = QStringLiteral(
    "Může být otevřeno nejvíce 9 oken. Aby mohl být otevřen další soubor, je zapotřebí alespoň jedno okno zavřít.");
} // namespace

void TForm1::Save1Click() { SaveDocument(m_state.documents.current().fileName); }

void TForm1::SaveAs1Click()
{
    DocumentSlots &docs = m_state.documents;
    QString filter;
    const QString start = ConsultationFile::DialogStartPath(QDir::currentPath(), docs.current().fileName);
    QString path = m_platform.fileDialogs.saveFileName(QStringLiteral("Uložit jako"), start, kSaveFilters, &filter);
    if (path.isEmpty()) {
        docs.saveCancelled = true;
        return;
    }
    // A name without an extension takes the one of the chosen file type.
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QLatin1String(".txg")) ? QStringLiteral(".txg") : QStringLiteral(".txt");
    if (QFileInfo::exists(path)
        && m_platform.dialogs.askYesNo(kProgramCaption, QStringLiteral("Soubor %1 již existuje.\nChcete jej nahradit?").arg(path))
               != Answer::Yes) {
        docs.saveCancelled = true;
        return;
    }
    // A save that writes nothing leaves the document bound to its old name.
    const QString previous = docs.current().fileName;
    docs.current().fileName = path;
    SaveDocument(previous);
}

void TForm1::SaveDocument(const QString &remembered)
{
    DocumentSlots &docs = m_state.documents;
    DocumentSlot &slot = docs.current();
    if (slot.fileName.isEmpty()) {
        SaveAs1Click();
        return;
    }
    const QString head = slot.lines.value(0);
    const bool keepMarker = CisHexagramu->isChecked() && m_state.lines.hasHexagram && head.contains(kMarkerTag);
    slot.lines = editorLines();
    if (keepMarker)
        slot.lines.prepend(head);

    const QString path = slot.fileName;
    const QString lost = ConsultationFile::UnrepresentableCharacters(slot.lines);
    if (!lost.isEmpty()
        && m_platform.dialogs.askYesNo(kProgramCaption, QStringLiteral("Text obsahuje znaky, které soubor nemůže uchovat: %1\n"
                                                                "Uložit je jako otazníky?").arg(lost))
               != Answer::Yes) {
        slot.fileName = remembered;
        docs.saveCancelled = true;
        return;
    }
    QString password;
    if (!ConsultationFile::IsPlainName(path)) {
        const std::optional<QString> chosen = m_passwordDlg ? m_passwordDlg->AskNewPassword() : std::nullopt;
        if (!chosen) {
            slot.fileName = remembered;
            docs.saveCancelled = true;
            return;
        }
        password = *chosen;
    }
    try {
        ConsultationFile::WriteFile(path, ConsultationFile::SavedForm(path, slot.lines, password));
    } catch (const EPasswordRefused &e) {
        m_platform.dialogs.message(MessageKind::Error, kProgramCaption, e.message());
        slot.fileName = remembered;
        docs.saveCancelled = true;
        return;
    } catch (const EFileError &e) {
        // The old file is whole; the document stays modified.
        m_platform.dialogs.message(MessageKind::Error, kProgramCaption, e.message());
        slot.fileName = remembered;
        docs.saveCancelled = true;
        return;
    }
    setWindowTitle(kProgramName + QStringLiteral(" [") + path + u']');
    slot.caption = path;
    RefreshWindowMenu();
    slot.modified = false;
    docs.saveCancelled = false;
}

void TForm1::Open1Click()
{
    const QString start = ConsultationFile::DialogStartPath(QDir::currentPath(), QString());
    const QString path = m_platform.fileDialogs.openFileName(QStringLiteral("Otevřít"), start, kOpenFilters);
    if (!path.isEmpty())
        OpenFile(path);
}

bool TForm1::OpenFile(const QString &path, const QString *searchKey)
{
    DocumentSlots &docs = m_state.documents;
    for (int k = 1; k <= DocumentSlots::kMaxOpen; ++k) {
        if (docs[k].isOpen() && docs[k].fileName == path) {
            m_platform.dialogs.message(MessageKind::Information, kProgramCaption,
                                       QStringLiteral("Soubor ") + path + QStringLiteral(" je již otevřený."));
            SwitchToSlot(k);
            return false;
        }
    }
    if (docs.openSlotCount >= DocumentSlots::kMaxOpen) {
        m_platform.dialogs.message(MessageKind::Information, kProgramCaption, kFilesLimitMessage);
        return false;
    }

    QStringList lines;
    QString readError;
    if (ConsultationFile::IsPlainName(path)) {
        try {
            lines = ConsultationFile::ReadPlainLines(ConsultationFile::ReadFile(path));
        } catch (const EFileError &e) {
            readError = e.message(); // the window still opens, empty
        }
    } else {
        const QString password = searchKey ? *searchKey : (m_passwordDlg ? m_passwordDlg->AskPassword() : QString());
        if (password.isEmpty())
            return false;
        QByteArray stored;
        try {
            stored = ConsultationFile::ReadFile(path);
        } catch (const EFileError &e) {
            m_platform.dialogs.message(MessageKind::Error, kProgramCaption, e.message());
            return false;
        }
        const std::optional<QStringList> opened = ConsultationFile::OpenedLines(path, stored, password);
        if (!opened) {
            m_platform.dialogs.message(MessageKind::Information, kProgramCaption, PasswordMessages::kWrong);
            return false;
        }
        lines = *opened;
    }

    LeaveCurrent();
    if (!OpenSlot(path))
        return false;
    DocumentSlot &slot = docs.current();
    slot.fileName = path;
    slot.lines = lines;
    slot.modified = false;
    ShowCurrent();
    RichEdit2->moveCursor(QTextCursor::Start);
    if (!readError.isEmpty())
        m_platform.dialogs.message(MessageKind::Error, kProgramCaption, readError);
    return true;
}
