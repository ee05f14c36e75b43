// The trigram picture: picks of a lower and an upper trigram, the marks in
// its centre, the pop-up descriptions and the picture buttons; the viewer
// that the picks fill and the contents window.

#include "app/Zendra12F.h"
#include "casting/LineDrawing.h"
#include "tools/FindKP_F9.h"
#include "tools/Zendra12F2.h"
#include "tools/Zendra12F3.h"
#include "ui/Cursors.h"
#include "ui/ExplorerButton.h"
#include "ui/KxCollapsePanel.h"
#include "ui/PictureBox.h"
#include "ui/RichView.h"
#include <QPlainTextEdit>
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>

void TForm1::setBookWindows(TForm2 *viewer, TForm3 *contents)
{
    Form2 = viewer;
    Form3 = contents;
    UpdateActions();
}

void TForm1::ShowContents()
{
    if (!Form3)
        return;
    Form3->show();
    Form3->raise();
    Form3->activateWindow();
}

void TForm1::PaintBox9Click()
{
    LoadTrigramPicture();
    m_state.trigramPickState = PickNone;
    UpdateActions();
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
    UpdateActions();
}

void TForm1::PickFuSi(Trigram trigram)
{
    const TrigramInfo &info = TrigramInfoOf(trigram);
    HexagramLines &lines = m_state.lines.readingLines;
    QImage &picture = Image3->canvas();
    const int h = Image3->height(); // the picture's height as shown
    const int first = m_state.trigramPickState == PickLower ? 4 : 1;
    for (int i = 0; i < 3; ++i)
        lines[first + i] = info.yang[i] ? 9 : 6;
    if (m_state.trigramPickState == PickLower) {
        m_state.trigramPickState = PickFilling;
        if (Form9)
            Form9->UpperTrigramPicked();
        TrigramMarks::DrawTrigram(picture, TrigramMarks::UpperBase(h), info.yang[0], info.yang[1], info.yang[2]);
    } else {
        m_state.trigramPickState = PickLower;
        TrigramMarks::DrawTrigram(picture, TrigramMarks::LowerBase(h), info.yang[0], info.yang[1], info.yang[2]);
    }
    Image3->update();
    if (m_state.trigramPickState == PickFilling) {
        if (Form2)
            Form2->FillFromReadingLines();
        m_state.trigramPickState = PickShown;
    }
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
    UpdateActions();
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

// The panel's own close button hides it without telling the window.
void TForm1::Nastaveni1Click() { UpdateActions(); }

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

void TForm1::SetUpTrigramPopup()
{
    // Size 10 in the editor's font name and colour, on the editor's background.
    TFontInfo font;
    font.FontName = RichEdit2->font().family().left(31);
    font.Size = 10;
    font.Color = ResolveColor(m_fontColor);
    RVStyle1->Color = ResolveColor(m_backColor);
    while (RVStyle1->TextStyles.size() > 6)
        RVStyle1->TextStyles.removeLast();
    RVStyle1->AddTextStyle(font);
    RichView1->CanvasFont = font.font();
    RichView1->LeftMargin = RichView1->RightMargin = 5;
}

void TForm1::ShowTrigramPopup(int position)
{
    static const int kTopOffsets[8] = {35, 46, 44, 50, 35, 50, 44, 46};
    RichView1->Clear();
    const QRect area = PaintBox[position - 1]->geometry();
    RichView1->move(area.left() - 50, area.top() + kTopOffsets[position - 1]);
    const Trigram t = TrigramAtPosition(position, FuSi1->isChecked());
    const QStringList lines = TrigramDescription(t);
    QString measured = t == Trigram::Mountain ? lines[1] : lines[0];
    if (t == Trigram::Earth || (t == Trigram::Heaven && FuSi1->isChecked()))
        measured += u' ';
    const int count = lines.size() + 1; // with the line of two spaces
    RichView1->resize(RichView1->TextWidth(measured) + RichView1->LeftMargin + RichView1->RightMargin,
                      RichView1->TextHeight(measured) * count + 1);
    const int style = RVStyle1->TextStyles.size() - 1;
    RichView1->Add(QStringLiteral("  "), style);
    for (const QString &line : lines)
        RichView1->Add(line, style);
    RichView1->Format();
    RichView1->show();
    RichView1->raise();
    RichView1->Repaint();
}

void TForm1::HideTrigramPopup()
{
    if (!RichView1)
        return;
    RichView1->hide();
    RichView1->Clear();
}

void TForm1::setFindWindow(TForm9 *find)
{
    Form9 = find;
    UpdateActions();
}

void TForm1::NajitKP1Click()
{
    if (!Form9)
        return;
    Form9->show();
    Form9->raise();
    Form9->activateWindow();
}
