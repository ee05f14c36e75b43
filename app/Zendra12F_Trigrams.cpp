// The trigram picture: picks, the pop-up and the picture buttons.

#include "app/Zendra12F.h"
#include "ui/Cursors.h"
#include "ui/ExplorerButton.h"

void TForm1::PaintBox9Click()
{
    LoadTrigramPicture();
    m_state.trigramPickState = PickNone;
    UpdatePictureButtons();
}

void TForm1::UpdatePictureButtons()
{
    const bool shown = m_state.trigramPickState == PickShown;
    for (int i = 0; i < 3; ++i) {
        ExplorerButton[i]->setEnabled(shown);
        Cursors::Set(ExplorerButton[i], shown ? crRuka : crRukaZak);
    }
    ExplorerButton[3]->setEnabled(shown);
}

void TForm1::setContentsListEnabled(bool enabled) { m_contentsListEnabled = enabled; }

void TForm1::PickTrigram(int) {}
void TForm1::ShowTrigramPopup(int) {}
void TForm1::HideTrigramPopup() {}
void TForm1::F9Pressed() { PaintBox9Click(); }
bool TForm1::TabToBookWindows() { return false; }
