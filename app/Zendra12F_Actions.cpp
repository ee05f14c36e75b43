// The one place that decides which of the main window's controls are
// enabled, armed (cursor 1) or checked. Every handler changes the program
// state and then calls UpdateActions(); a control enabled anywhere else
// would drift from the state at the next menu item that forgets it.

#include "app/Zendra12F.h"
#include "notes/Pozn_F11.h"
#include "print/NTiskF8.h"
#include "tools/FindKP_F9.h"
#include "tools/Zendra12F3.h"
#include "ui/Cursors.h"
#include "ui/ExplorerButton.h"
#include "ui/Guidance.h"
#include "ui/KxCollapsePanel.h"
#include "ui/PictureBox.h"
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace {
void SetArmed(QWidget *control, bool armed)
{
    control->setEnabled(armed);
    Cursors::Set(control, armed ? crRuka : crRukaZak);
}

// What the coin buttons and the paper do differs between the two ways of
// casting, and so does what they tell a newcomer.
const QString kTimedCoinTip =
    QStringLiteral("Stiskněte dvakrát: první stisk minci roztočí, druhý ji zastaví. Když padnou všechny tři "
                   "mince, nakreslí se čára. Šest hodů dá šest čar, odspodu nahoru. (Alt+%1)");
const QString kHandCoinTip =
    QStringLiteral("Každý stisk minci obrátí. Otočte mince tak, jak vám padly, a klepnutím na papír "
                   "(klávesa F12) zapište čáru. Šest čar se píše odspodu nahoru. (Alt+%1)");
// The paper's hint comes first, as the first line.
const QString kTimedPaperTip =
    QStringLiteral("Vykreslit čáru\nSem se kreslí čáry hodu, odspodu nahoru. Při ručním házení se čára "
                   "zapíše klepnutím sem (klávesa F12).");
const QString kHandPaperTip =
    QStringLiteral("Vykreslit čáru\nKlepnutím zapíšete čáru podle toho, jak leží mince (klávesa F12). "
                   "Šest čar se píše odspodu nahoru.");
} // namespace

void TForm1::UpdateActions()
{
    const CastingState &cast = m_state.casting;
    const bool hand = handMode();
    // The current consultation carries its finished cast: nothing more is thrown into it.
    const bool finished = m_state.lines.hasHexagram;
    // Lines of an unfinished cast stand on the paper.
    const bool drawing = cast.castLineCount > 0;

    bool coinWaits = false;
    for (int k = 0; k < kCoinCount; ++k) {
        // A stopped timed coin keeps its value until the other two have stopped.
        const bool stopped = !hand && cast.coinValues[k] != 0;
        coinWaits = coinWaits || stopped;
        Button[k]->setEnabled(!finished && !stopped);
    }
    Cursors::Set(Image2, hand && !finished ? crRuka : crRukaZak);
    for (int k = 0; k < kCoinCount; ++k)
        Describe(Button[k], {}, (hand ? kHandCoinTip : kTimedCoinTip).arg(k + 1));
    Describe(Image2, {}, hand ? kHandPaperTip : kTimedPaperTip);
    Zrusit1->setEnabled(!finished && (drawing || coinWaits));
    Nastavovatmince1->menuAction()->setEnabled(!cast.timedTossStarted && !finished);
    // A change of paper would wipe the drawn lines.
    PapVykrCar->menuAction()->setEnabled(!drawing && !finished);

    // The trigram picture and the contents answer only between casts.
    for (int i = 0; i < 8; ++i)
        Cursors::Set(PaintBox[i], drawing ? crRukaZak : crRuka);
    Soupis->setEnabled(Form3 && !drawing);
    ObsahKP1->setEnabled(Form3 != nullptr);
    if (Form3)
        Form3->ListBox1->setEnabled(!drawing);
    const bool lowerPicked = m_state.trigramPickState == PickLower;
    FuSi1->setEnabled(!lowerPicked);
    Wen1->setEnabled(!lowerPicked);

    const bool shown = m_state.trigramPickState == PickShown;
    for (int i = 0; i < 3; ++i)
        SetArmed(ExplorerButton[i], shown);
    ExplorerButton[3]->setEnabled(shown && Form11 && !m_notesOpen);

    bool changing = false;
    for (int p = 1; p <= 6; ++p)
        changing = changing || IsChanging(m_state.lines.castLines[p]);
    bool marked = false;
    for (bool m : m_state.panel.panelMarks)
        marked = marked || m;
    SetArmed(KxExplorerButton2, finished && changing);
    SetArmed(KxExplorerButton1, finished && marked);
    ExplorerButton7->setEnabled(Form11 && !m_notesOpen);
    ZobrazitPanelDH->setEnabled(finished && KxCollapsePanel1->isHidden());

    VykladDH->setEnabled(VvojHexagram->isChecked());
    NajitKP1->setEnabled(Form9 != nullptr);
    Najtvuloenchsouborech1->setEnabled(Form10 != nullptr);
    if (Form9)
        Form9->setCastUnderWay(drawing);
    DenikKonzultaci1->setEnabled(JournalForm != nullptr);
    Vzhledstrnky1->setEnabled(Form8 != nullptr);
    Tisk->setEnabled(Form8 != nullptr);
}
