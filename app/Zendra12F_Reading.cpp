// A finished cast: the panel, the reading appended to the consultation and
// the closing sound.

#include "app/Zendra12F.h"

void TForm1::CastFinished()
{
    ShowPanel();
    BuildConsultationReading();
}

void TForm1::BuildConsultationReading()
{
    PlayReadingSound();
}

void TForm1::ShowPanel() { m_state.panel.panelVisible = true; }
void TForm1::HidePanel() { m_state.panel.panelVisible = false; }
void TForm1::setContentsListEnabled(bool enabled) { m_contentsListEnabled = enabled; }
