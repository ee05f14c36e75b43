// The two ways into the notes window: the trigram picture's button for the
// hexagram it shows, and the panel's button for the cast.

#include "app/Zendra12F.h"
#include "notes/Pozn_F11.h"
#include "reading/Corpus.h"
#include "ui/ExplorerButton.h"

void TForm1::setNotesOpen(bool open)
{
    m_notesOpen = open;
    UpdateActions();
}

void TForm1::ExplorerButton4Click()
{
    if (!Form11 || m_notesOpen)
        return;
    Form11->NoteName = NoteKey(m_state.lines.readingLines);
    Form11->NoteDefaultText = m_state.currentHeading;
    Form11->show();
    Form11->raise();
}

void TForm1::ExplorerButton7Click()
{
    if (!Form11 || m_notesOpen)
        return;
    const HexagramLines &cast = m_state.lines.castLines;
    Form11->NoteName = NoteKey(cast);
    Form11->NoteDefaultText = BookTables::Heading(HexagramNumberOf(cast));
    Form11->show();
    Form11->raise();
}
