// A finished cast: the panel, the reading appended to the consultation and
// the closing sound.

#include "app/Zendra12F.h"
#include "reading/MarkerLine.h"
#include "reading/ReadingGenerator.h"
#include <QAction>
#include <QPlainTextEdit>

void TForm1::CastFinished()
{
    DrawPanelLines();
    BuildConsultationReading();
    KeepRecoveryCopies();
}

void TForm1::BuildConsultationReading()
{
    StoreCurrent();
    DocumentSlot &slot = m_state.documents.current();
    // A cast after "&Zrušit" in a document that had one replaces its marker.
    if (!slot.lines.isEmpty() && slot.lines.first().contains(kMarkerTag))
        slot.lines.removeFirst();
    ReadingOptions options;
    options.developing = VvojHexagram->isChecked();
    options.guidance = options.developing && VykladDH->isChecked();
    m_state.currentHeading = ConsultationReading(m_corpus, m_state.lines.castLines, options, slot.lines);
    if (options.developing)
        m_state.lines.readingLines = DevelopingLines(m_state.lines.castLines);
    setEditorLines(slot.lines);
    RichEdit2->moveCursor(QTextCursor::Start);
    slot.lines.prepend(MarkerLine(m_state.lines.castLines));
    m_state.lines.hasHexagram = true;
    slot.modified = true;
    PlayReadingSound();
}
