// The consultation documents: new, switch, close, the "&Okno" menu, the
// modified flag and the questions before unsaved work is lost.

#include "app/Zendra12F.h"
#include "notes/Pozn_F11.h"
#include "files/EditorText.h"
#include "reading/MarkerLine.h"
#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace {
const QString kNewName = QStringLiteral("Nový ");
const QString kCaptionPrefix = kProgramName + QStringLiteral("  ");
const QString kQuestionCaption = QStringLiteral("Potvrzení");
} // namespace

QStringList TForm1::editorLines() const { return EditorText::Of(*RichEdit2->document()).split(u'\n'); }

void TForm1::setEditorLines(const QStringList &lines) { RichEdit2->setPlainText(lines.join(u'\n')); }

QString TForm1::TimeStampLine() const
{
    const QDateTime now = m_platform.clock.now();
    const QLocale locale;
    // The long time format without the zone, as the desktop shows a clock.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1String(" t")).remove(u't');
    return locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral(", ")
           + locale.toString(now.time(), timeFormat.trimmed());
}

void TForm1::setCaptionFor(const QString &name) { setWindowTitle(kCaptionPrefix + name); }

void TForm1::RefreshWindowMenu()
{
    DocumentSlots &docs = m_state.documents;
    for (QAction *a : OknoItem)
        Okno->removeAction(a);
    for (int k : docs.menuOrder()) {
        QAction *a = OknoItem[k - 1];
        const DocumentSlot &slot = docs[k];
        a->setText(QString(slot.caption).replace(u'&', QLatin1String("&&")));
        a->setVisible(slot.isOpen());
        a->setChecked(slot.isOpen() && docs.currentSlot == k);
        Okno->addAction(a);
    }
}

bool TForm1::OpenSlot(const QString &name)
{
    if (m_state.documents.openSlot(name) == 0) {
        m_platform.dialogs.message(MessageKind::Information, kProgramCaption, DocumentSlots::kLimitMessage);
        return false;
    }
    RefreshWindowMenu();
    setCaptionFor(name);
    return true;
}

void TForm1::New1Click()
{
    DocumentSlots &docs = m_state.documents;
    if (!m_resetOnly) {
        StoreCurrent();
        ++docs.newDocumentCounter;
        if (!OpenSlot(kNewName + QString::number(docs.newDocumentCounter))) {
            --docs.newDocumentCounter;
            docs.limitReached = false;
            return;
        }
        DocumentSlot &slot = docs.current();
        slot.lines << TimeStampLine() << QStringLiteral("Otázka: ");
        setEditorLines(slot.lines);
        RichEdit2->moveCursor(QTextCursor::End);
    }
    ClearPanelMarks();
    ResetCast();
}

void TForm1::StoreCurrent()
{
    DocumentSlots &docs = m_state.documents;
    if (docs.closingSlot || docs.currentSlot < 1 || docs.currentSlot > DocumentSlots::kMaxOpen)
        return;
    DocumentSlot &slot = docs.current();
    StoreEditorLines(slot, editorLines());
    const QTextCursor c = RichEdit2->textCursor();
    slot.selStart = c.selectionStart();
    slot.selLength = c.selectionEnd() - c.selectionStart();
}

void TForm1::ShowCurrent()
{
    DocumentSlot &slot = m_state.documents.current();
    const QString head = slot.lines.isEmpty() ? QString() : slot.lines.first();
    HexagramLines cast;
    const MarkerParse parse = ParseMarkerLine(head, cast);
    if (parse == MarkerParse::Invalid)
        slot.lines.removeFirst();
    const bool hasHexagram = parse == MarkerParse::Valid;
    setEditorLines(hasHexagram ? slot.lines.mid(1) : slot.lines);
    QTextCursor c = RichEdit2->textCursor();
    const int end = RichEdit2->document()->characterCount() - 1;
    c.setPosition(qMin(slot.selStart, end));
    c.setPosition(qMin(slot.selStart + slot.selLength, end), QTextCursor::KeepAnchor);
    RichEdit2->setTextCursor(c);

    m_state.lines.hasHexagram = hasHexagram;
    if (hasHexagram) {
        m_state.lines.castLines = cast;
        DrawPanelLines();
        ShowPanel();
    } else {
        HidePanel();
    }
    DrawCastOnPaper();
    UpdateActions();
}

void TForm1::LeaveCurrent()
{
    // An unfinished cast belongs to the consultation it started in: leaving
    // that consultation cancels it as "&Zrušit" does, so that it can neither
    // finish in another one nor leave a stopped coin behind. The marks go too.
    StoreCurrent();
    ClearPanelMarks();
    ResetCast();
}

void TForm1::SwitchToSlot(int k)
{
    DocumentSlots &docs = m_state.documents;
    if (k < 1 || k > DocumentSlots::kMaxOpen || !docs[k].isOpen())
        return;
    if (k == docs.currentSlot) {
        RefreshWindowMenu(); // its item stays checked
        return;
    }
    LeaveCurrent();
    docs.currentSlot = k;
    RefreshWindowMenu();
    setCaptionFor(docs[k].caption);
    ShowCurrent();
}

bool TForm1::AskToSave()
{
    DocumentSlots &docs = m_state.documents;
    const QString text = QStringLiteral("Soubor \"") + caption().mid(7)
                         + QStringLiteral("\" není uložen. Checete jej uložit?");
    switch (m_platform.dialogs.askYesNoCancel(kQuestionCaption, text)) {
    case Answer::Yes:
        Save1Click();
        return !docs.saveCancelled;
    case Answer::No:
        return true;
    default:
        docs.saveCancelled = true;
        return false;
    }
}

void TForm1::ZavOknoClick()
{
    DocumentSlots &docs = m_state.documents;
    docs.saveCancelled = false;
    StoreCurrent(); // the question and a save from it see the editor's text
    docs.closingSlot = true;
    int k = 0;
    for (int i = 1; i <= DocumentSlots::kMaxOpen; ++i)
        if (OknoItem[i - 1]->isChecked() && docs[i].isOpen())
            k = i;
    if (k == 0) {
        docs.closingSlot = false;
        ClearPanelMarks();
        return;
    }
    if (docs[k].modified && !AskToSave()) {
        docs.closingSlot = false;
        docs.saveCancelled = false;
        return;
    }
    docs.freeSlot(k);
    RefreshWindowMenu();
    const int next = docs.lastOpenInMenu();
    if (next != 0)
        SwitchToSlot(next);
    else
        New1Click();
    --docs.openSlotCount;
    docs.closingSlot = false;
    docs[k].fileName.clear();
    if (docs.currentSlot != k)
        ClearPanelMarks();
}

bool TForm1::FormCloseQuery()
{
    DocumentSlots &docs = m_state.documents;
    docs.saveCancelled = false;
    // The note first, while every window is still there to be seen.
    if (Form11 && Form11->isVisible() && !Form11->FormCloseQuery())
        return false;
    StoreCurrent();
    for (int k = 1; k <= DocumentSlots::kMaxOpen; ++k) {
        if (!docs[k].isOpen() || !docs[k].modified)
            continue;
        SwitchToSlot(k);
        if (!AskToSave())
            return false;
    }
    return true;
}
