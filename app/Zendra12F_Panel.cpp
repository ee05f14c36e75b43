// The developing-hexagram panel.

#include "app/Zendra12F.h"

void TForm1::DrawPanelLines() {}
void TForm1::ShowPanel() { m_state.panel.panelVisible = true; }
void TForm1::HidePanel() { m_state.panel.panelVisible = false; }
