// Crash recovery: copies of the consultations with unsaved changes, kept
// every half minute and after every finished cast, removed by a clean close
// and offered at the next start after a crash.

#include "app/Zendra12F.h"
#include "files/ConsultationFile.h"
#include "files/HesloF.h"
#include "files/PasswordRules.h"
#include "files/RecoveryStore.h"
#include <QLocale>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>

namespace {
const QString kRecoveryCaption = QStringLiteral("Obnova konzultací");
const QString kRestore = QStringLiteral("Obnovit");
const QString kDiscard = QStringLiteral("Zahodit");

QString OfferText(const QList<RecoveryFile> &found)
{
    QString text = QStringLiteral("Zendra nebyla minule řádně ukončena. Zůstaly po ní neuložené konzultace:\n\n");
    const QLocale locale;
    for (const RecoveryFile &f : found) {
        text += QStringLiteral("• ") + f.name;
        if (f.encrypted)
            text += QStringLiteral(" (chráněná heslem)");
        if (f.written.isValid())
            text += QStringLiteral(", zapsáno ") + locale.toString(f.written.toLocalTime(), QLocale::ShortFormat);
        text += u'\n';
    }
    text += QStringLiteral("\n„Obnovit“ otevře každou v jejím vlastním okně, „Zahodit“ je smaže.");
    return text;
}
} // namespace

void TForm1::setRecoveryStore(RecoveryStore *store)
{
    m_recovery = store;
    if (!m_recoveryTimer) {
        m_recoveryTimer = new QTimer(this);
        m_recoveryTimer->setObjectName(QStringLiteral("RecoveryTimer"));
        m_recoveryTimer->setInterval(kRecoveryIntervalMs);
        connect(m_recoveryTimer, &QTimer::timeout, this, &TForm1::KeepRecoveryCopies);
    }
    if (!store) {
        m_recoveryTimer->stop();
        return;
    }
    m_recoveryTimer->start();
    if (!store->isRunning())
        m_platform.dialogs.message(MessageKind::Warning, kRecoveryCaption,
                                   QStringLiteral("Do složky %1 nelze zapisovat. Neuložené konzultace "
                                                  "nebudou mít kopie pro obnovu po pádu programu.")
                                       .arg(store->folder()));
}

void TForm1::KeepRecoveryCopies()
{
    if (!m_recovery)
        return;
    DocumentSlots &docs = m_state.documents;
    for (int k = 1; k <= DocumentSlots::kMaxOpen; ++k) {
        const DocumentSlot &slot = docs[k];
        if (!slot.isOpen() || !slot.modified) {
            m_recovery->drop(k);
            continue;
        }
        // The consultation shown holds its newest text in the editor.
        DocumentSlot shown = slot;
        if (k == docs.currentSlot && !docs.closingSlot)
            StoreEditorLines(shown, editorLines());
        try {
            m_recovery->keep(k, {slot.caption, slot.fileName, shown.lines, slot.password});
        } catch (const EFileError &e) {
            // Said once: a full disk must not interrupt the typing every half minute.
            if (!m_recoveryFailureShown)
                m_platform.dialogs.message(MessageKind::Warning, kRecoveryCaption,
                                           QStringLiteral("Kopii neuložené konzultace pro obnovu po pádu programu "
                                                          "nelze zapsat.\n") + e.message());
            m_recoveryFailureShown = true;
        }
    }
}

void TForm1::EndRecovery()
{
    if (!m_recovery)
        return;
    m_recoveryTimer->stop();
    m_recovery->closeCleanly();
}

void TForm1::OfferRecovery()
{
    if (!m_recovery)
        return;
    const QList<RecoveryFile> found = m_recovery->claimAbandoned();
    if (!found.isEmpty()) {
        if (m_logo) // it stays on top and would hide the question
            m_logo->hide();
        if (!m_platform.dialogs.askChoice(kRecoveryCaption, OfferText(found), kRestore, kDiscard)) {
            for (const RecoveryFile &f : found)
                m_recovery->forget(f);
        } else {
            DocumentSlots &docs = m_state.documents;
            // The empty consultation of the start gives way to the first one restored.
            const int fresh = docs.openSlotCount == 1 && !docs.current().modified && docs.current().fileName.isEmpty()
                                  ? docs.currentSlot
                                  : 0;
            bool freshClosed = false;
            bool askPasswords = true;
            for (const RecoveryFile &f : found) {
                QString password;
                if (f.encrypted) {
                    int closed = 0;
                    if (askPasswords && m_passwordDlg)
                        password = m_passwordDlg->AskFileSearchPassword(f.fileName, &closed);
                    askPasswords = askPasswords && closed != TPasswordDlg::mrAbort;
                    if (password.isEmpty())
                        continue; // skipped: offered again at the next start
                }
                const std::optional<QStringList> lines = Recovery::Lines(f, password);
                if (!lines) {
                    m_platform.dialogs.message(MessageKind::Information, kRecoveryCaption,
                                               f.name + QStringLiteral(": ") + PasswordMessages::kWrong);
                    continue;
                }
                if (!RestoreConsultation(f.name, f.fileName, *lines, password))
                    break; // nine windows: the rest stay for the next start
                if (fresh && !freshClosed && docs[fresh].isOpen() && !docs[fresh].modified) {
                    docs.freeSlot(fresh);
                    docs[fresh].fileName.clear();
                    --docs.openSlotCount;
                    RefreshWindowMenu();
                }
                freshClosed = true;
                // This session's copy first, then the old one goes.
                KeepRecoveryCopies();
                m_recovery->forget(f);
            }
        }
    }
    m_recovery->releaseClaims();
}

bool TForm1::RestoreConsultation(const QString &name, const QString &fileName, const QStringList &lines,
                                 const QString &password)
{
    DocumentSlots &docs = m_state.documents;
    StoreCurrent();
    if (!OpenSlot(name))
        return false;
    DocumentSlot &slot = docs.current();
    slot.fileName = fileName;
    slot.lines = lines;
    slot.modified = true;
    slot.password = password;
    // A restored "Nový 4" keeps its number, and the next new one follows it.
    static const QRegularExpression newName(QStringLiteral("^Nový (\\d{1,3})$"));
    const QRegularExpressionMatch m = newName.match(name);
    if (m.hasMatch() && m.captured(1).toInt() <= 255)
        docs.newDocumentCounter = std::max<int>(docs.newDocumentCounter, m.captured(1).toInt());
    ShowCurrent();
    RichEdit2->moveCursor(QTextCursor::Start); // as a file opens
    return true;
}
