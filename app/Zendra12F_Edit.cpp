// The editing commands of "Ú&pravy" and of the editor's pop-up menu. The
// menu acts only while the editor has the focus; the pop-up always does.

#include "app/Zendra12F.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace {
bool ClipboardHasText()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}
} // namespace

void TForm1::Edit1Click()
{
    const bool focused = RichEdit2->hasFocus();
    const bool selection = RichEdit2->textCursor().hasSelection();
    for (QAction *a : {Copy1, Cut1, Odstranit2})
        a->setEnabled(focused && selection);
    Paste1->setEnabled(focused && ClipboardHasText());
    Vybratve1->setEnabled(focused);
    Zpet1->setEnabled(focused && RichEdit2->document()->isUndoAvailable());
    Znovu1->setEnabled(focused && RichEdit2->document()->isRedoAvailable());
}

void TForm1::PopupMenu1Popup()
{
    const bool selection = RichEdit2->textCursor().hasSelection();
    for (QAction *a : {Kopirovat1, Vyjmout1, Odstranit1})
        a->setEnabled(selection);
    Vlozit1->setEnabled(ClipboardHasText());
    VybratVse1->setEnabled(true);
}

void TForm1::Cut1Click(bool fromPopup)
{
    if (!fromPopup && !RichEdit2->hasFocus())
        return;
    RichEdit2->cut();
    m_state.documents.current().modified = true;
}

void TForm1::Copy1Click(bool fromPopup)
{
    if (fromPopup || RichEdit2->hasFocus())
        RichEdit2->copy();
}

void TForm1::Paste1Click(bool fromPopup)
{
    if (!fromPopup && !RichEdit2->hasFocus())
        return;
    PasteText(QApplication::clipboard()->mimeData());
}

void TForm1::PasteText(const QMimeData *source)
{
    if (PrintingUnderway()) {
        m_platform.dialogs.message(MessageKind::Warning, kProgramCaption,
                                   QStringLiteral("Text nelze vložit, protože probíhá tisk."));
        return;
    }
    if (!source || !source->hasText())
        return;
    const QString text = source->text();
    // The clipboard keeps the plain version of what is pasted (setting it
    // frees the source, so the text is taken first).
    if (source == QApplication::clipboard()->mimeData())
        QApplication::clipboard()->setText(text);
    RichEdit2->insertPlainText(text);
    m_state.documents.current().modified = true;
}

void TForm1::Odstranit2Click(bool fromPopup)
{
    if (!fromPopup && !RichEdit2->hasFocus())
        return;
    RichEdit2->textCursor().removeSelectedText();
    m_state.documents.current().modified = true;
}

void TForm1::Vybratve1Click(bool fromPopup)
{
    if (fromPopup || RichEdit2->hasFocus())
        RichEdit2->selectAll();
}

// The history starts anew with each consultation shown: the editor's text is
// replaced whole when the window, a file or a reading comes in, so an undo
// never reaches into another consultation.
void TForm1::Zpet1Click()
{
    if (!RichEdit2->hasFocus() || !RichEdit2->document()->isUndoAvailable())
        return;
    RichEdit2->undo();
    m_state.documents.current().modified = true;
}

void TForm1::Znovu1Click()
{
    if (!RichEdit2->hasFocus() || !RichEdit2->document()->isRedoAvailable())
        return;
    RichEdit2->redo();
    m_state.documents.current().modified = true;
}
