// The trigram picture: picks of a lower and an upper trigram, the marks in
// its centre, the pop-up descriptions, the picture buttons, and the viewer
// and contents windows that the picks fill.

#include "app/Zendra12F.h"
#include "casting/LineDrawing.h"
#include "reading/ReadingGenerator.h"
#include "tools/Zendra12F2.h"
#include "tools/Zendra12F3.h"
#include "ui/Cursors.h"
#include "ui/ExplorerButton.h"
#include "ui/PictureBox.h"
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>

void TForm1::setBookWindows(TForm2 *viewer, TForm3 *contents)
{
    Form2 = viewer;
    Form3 = contents;
    m_soupisAvailable = contents != nullptr;
    Soupis->setEnabled(m_soupisAvailable && m_state.casting.castLineCount == 0);
    ObsahKP1->setEnabled(m_soupisAvailable);
    setContentsListEnabled(m_contentsListEnabled);
}

void TForm1::ShowContents()
{
    if (!Form3)
        return;
    Form3->show();
    Form3->raise();
    Form3->activateWindow();
}

void TForm1::setContentsListEnabled(bool enabled)
{
    m_contentsListEnabled = enabled;
    if (Form3)
        Form3->ListBox1->setEnabled(enabled);
}

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
    // The notes window arrives later; until then its button stays off.
    ExplorerButton[3]->setEnabled(false);
}

void TForm1::PickTrigram(int position)
{
    HideTrigramPopup();
    if (m_state.casting.castLineCount > 0)
        return;
    if (Wen1->isChecked()) {
        if (m_state.trigramPickState == PickShown) {
            LoadTrigramPicture();
            m_state.trigramPickState = PickNone;
        }
        // A Wen pick is the Fu Si pick of the same trigram.
        PickFuSi(TrigramAtPosition(position, false));
    } else {
        if (m_state.trigramPickState == PickShown) {
            LoadTrigramPicture();
            m_state.trigramPickState = PickNone;
        }
        PickFuSi(TrigramAtPosition(position, true));
    }
    UpdatePictureButtons();
}

void TForm1::PickFuSi(Trigram trigram)
{
    const TrigramInfo &info = TrigramInfoOf(trigram);
    HexagramLines &lines = m_state.lines.readingLines;
    QImage &picture = Image3->canvas();
    const int h = picture.height();
    const int first = m_state.trigramPickState == PickLower ? 4 : 1;
    for (int i = 0; i < 3; ++i)
        lines[first + i] = info.yang[i] ? 9 : 6;
    if (m_state.trigramPickState == PickLower) {
        m_state.trigramPickState = PickFilling;
        TrigramMarks::DrawTrigram(picture, TrigramMarks::UpperBase(h), info.yang[0], info.yang[1], info.yang[2]);
    } else {
        m_state.trigramPickState = PickLower;
        TrigramMarks::DrawTrigram(picture, TrigramMarks::LowerBase(h), info.yang[0], info.yang[1], info.yang[2]);
    }
    Image3->update();
    if (m_state.trigramPickState == PickFilling)
        FillViewer();
}

void TForm1::FillViewer()
{
    DocumentSlots &docs = m_state.documents;
    const int remembered = docs.currentSlot;
    docs.currentSlot = DocumentSlots::kScratch;
    DocumentSlot &scratch = docs[DocumentSlots::kScratch];
    scratch.lines.clear();
    m_state.currentHeading = GenerateReading(m_corpus, m_state.lines.readingLines, true, scratch.lines);
    if (Form2)
        Form2->showText(m_state.currentHeading, scratch.lines.join(u'\n'));
    scratch.lines.clear();
    docs.currentSlot = remembered;
    m_state.trigramPickState = PickShown;
}

void TForm1::ShowHexagramInViewer(const HexagramLines &lines)
{
    // A half-finished pick would otherwise take the first trigram as its upper one.
    if (m_state.trigramPickState == PickLower || m_state.trigramPickState == PickFilling)
        PaintBox9Click();
    const bool fuSi = FuSi1->isChecked();
    const Trigram lower = LowerTrigram(lines), upper = UpperTrigram(lines);
    PickTrigram(fuSi ? TrigramInfoOf(lower).fuSiPosition : TrigramInfoOf(lower).wenPosition);
    PickTrigram(fuSi ? TrigramInfoOf(upper).fuSiPosition : TrigramInfoOf(upper).wenPosition);
}

void TForm1::DrawHexagramInPicture()
{
    m_state.trigramPickState = PickShown;
    TrigramMarks::DrawHexagram(Image3->canvas(), m_state.lines.readingLines);
    Image3->update();
    UpdatePictureButtons();
}

void TForm1::ExplorerButtonClick(int button)
{
    HexagramLines &lines = m_state.lines.readingLines;
    lines = button == 0 ? NuclearLines(lines) : button == 1 ? OppositeLines(lines) : SwappedTrigramLines(lines);
    ShowHexagramInViewer(lines);
}

void TForm1::PaintBoxMouseDown(int position, Qt::MouseButton button)
{
    if (button == Qt::RightButton && Cursors::Of(PaintBox[0]) == crRuka)
        ShowTrigramPopup(position);
    else
        HideTrigramPopup();
}

void TForm1::Nastaveni1Click()
{
    const bool lowerPicked = m_state.trigramPickState == PickLower;
    FuSi1->setEnabled(!lowerPicked);
    Wen1->setEnabled(!lowerPicked);
    ZobrazitPanelDH->setEnabled(m_state.lines.hasHexagram && !m_state.panel.panelVisible);
}

void TForm1::F9Pressed()
{
    if (Form2 && Form2->isVisible())
        Form2->close();
    else
        PaintBox9Click();
    if (Form3 && Form3->isVisible())
        Form3->close();
}

bool TForm1::TabToBookWindows()
{
    const bool viewer = Form2 && Form2->isVisible();
    const bool contents = Form3 && Form3->isVisible();
    if (!viewer && !contents)
        return false;
    if (viewer)
        Form2->activateWindow();
    if (contents)
        Form3->activateWindow();
    return true;
}

void TForm1::ShowTrigramPopup(int) {}
void TForm1::HideTrigramPopup() {}
