// The casting table: coin buttons, the hand-turning timer, drawing the next
// line, cancelling a cast, and the coin, speed and sound menu items.

#include "app/Zendra12F.h"
#include "casting/LineDrawing.h"
#include "ui/AnimatedImage.h"
#include "ui/AssetCatalogue.h"
#include "ui/Cursors.h"
#include "ui/PictureBox.h"
#include "ui/SRWavePlayer.h"
#include "ui/TileImage.h"
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

bool TForm1::handMode() const { return Rucne1->isChecked(); }
bool TForm1::silverCoins() const { return Stribro->isChecked(); }

void TForm1::LoadCoinStrips()
{
    const bool hand = handMode();
    const QString name = hand ? (silverCoins() ? QStringLiteral("MinceKx") : QStringLiteral("MinceKxZ"))
                              : (silverCoins() ? QStringLiteral("Mince") : QStringLiteral("MinceZ"));
    const QImage strip = Assets::Picture(name);
    for (TAnimatedImage *coin : AnimatedImage) {
        coin->setActive(false);
        coin->setGlyph(strip);
        coin->setNumGlyphs(hand ? kHandFrames : kTimedFrames);
    }
}

void TForm1::Pocitacem1Click()
{
    Pocitacem1->setChecked(true);
    LoadCoinStrips();
    SetCoinsForMode(m_state.casting, false);
    UpdateActions();
}

void TForm1::Rucne1Click()
{
    Rucne1->setChecked(true);
    LoadCoinStrips();
    SetCoinsForMode(m_state.casting, true);
    UpdateActions();
}

void TForm1::SetSpinInterval()
{
    for (TAnimatedImage *coin : AnimatedImage)
        coin->setInterval(Rychle->isChecked() ? kFastSpinMs : kSpinMs);
}

void TForm1::RychleClick()
{
    // The action toggles its own check mark before this runs.
    SetSpinInterval();
}

void TForm1::MetalClick(bool silver)
{
    (silver ? Stribro : Zlato)->setChecked(true);
    std::array<int, 3> frames{};
    for (int k = 0; k < 3; ++k)
        frames[k] = AnimatedImage[k]->GlyphNum();
    const std::array<bool, 3> spinning = {AnimatedImage[0]->Active(), AnimatedImage[1]->Active(),
                                          AnimatedImage[2]->Active()};
    LoadCoinStrips();
    for (int k = 0; k < 3; ++k) {
        AnimatedImage[k]->setGlyphNum(frames[k]);
        AnimatedImage[k]->setActive(spinning[k]);
    }
}

void TForm1::CoinButtonClick(int k)
{
    if (!Button[k]->isEnabled())
        return;
    CastingState &cast = m_state.casting;
    if (Pocitacem1->isChecked()) {
        AnimatedImage[k]->setActive(true);
        Timer1->start();
        const QTime t = m_platform.clock.now().time();
        const TimedPressResult r = TimedPress(cast, k, TossTimeMark(t.second(), t.msec()));
        if (r.stopped) {
            AnimatedImage[k]->setActive(false);
            AnimatedImage[k]->setGlyphNum(r.frame);
            DrawNextLine();
        }
        UpdateActions();
        return;
    }
    Timer1->start();
    HandPress(cast, k);
}

void TForm1::Timer1Timer()
{
    if (!Rucne1->isChecked())
        return;
    const std::array<int, 3> frames = HandTick(m_state.casting);
    for (int k = 0; k < 3; ++k)
        if (frames[k] >= 0)
            AnimatedImage[k]->setGlyphNum(frames[k]);
}

void TForm1::Image2Click()
{
    if (Rucne1->isChecked() && Cursors::Of(Image2) == crRuka)
        DrawNextLine();
}

void TForm1::DrawCastOnPaper()
{
    // The paper shows the current consultation's cast, finished or under way.
    LoadPaper();
    const int count = m_state.lines.hasHexagram ? 6 : m_state.casting.castLineCount;
    const HexagramLines &lines = m_state.lines.hasHexagram ? m_state.lines.castLines : m_state.lines.readingLines;
    for (int k = 1; k <= count; ++k)
        DrawLine(Image2->canvas(), k, lines[k], Image1->width());
    Image2->update();
}

void TForm1::DrawNextLine()
{
    CastingState &cast = m_state.casting;
    const LineValue line = LineFromCoins(cast);
    if (line != 0) {
        ++cast.castLineCount;
        const int k = cast.castLineCount;
        m_state.lines.readingLines[k] = line;
        DrawLine(Image2->canvas(), k, line, Image1->width());
        Image2->update();
        if (!handMode())
            cast.coinValues = {0, 0, 0};
        PaintBox9Click();
    }
    // Once per cast, right after its fifth line.
    if (line != 0 && cast.castLineCount == 5 && caption().mid(8, 4) != u"Nový") {
        m_platform.dialogs.message(MessageKind::Information, kProgramCaption,
                                   QStringLiteral("Zapsat do souboru  ") + caption().mid(7) + u'?');
    }
    if (cast.castLineCount == 6) {
        cast.castLineCount = 0;
        m_state.lines.castLines = m_state.lines.readingLines;
        CastFinished();
        ShowPanel();
    }
    UpdateActions();
}

void TForm1::Zrusit1Click()
{
    m_resetOnly = true;
    New1Click();
    m_resetOnly = false;
}

void TForm1::ResetCast()
{
    CastingState &cast = m_state.casting;
    cast.timedTossStarted = false;
    cast.coinStates = {0, 0, 0};
    if (Pocitacem1->isChecked())
        Pocitacem1Click();
    else
        Rucne1Click();
    LoadPaper();
    m_state.panel.panelLineRects = {};
    HidePanel();
    m_state.lines.hasHexagram = false;
    cast.castLineCount = 0;
    UpdateActions();
}

void TForm1::SelectSound()
{
    QAction *checked = m_soundGroup->checkedAction();
    if (checked == Nahoda || checked == Zadny || !checked) {
        // The seconds choose: 1 Zvonky, 2 Zvonek, 3 Harfa1, 4 Harfa2, 0 Hrom.
        static const char *const bySecond[5] = {"Hrom", "Zvonky", "Zvonek", "Harfa1", "Harfa2"};
        const int s = m_platform.clock.now().time().second();
        SRWavePlayer1->WaveName = QLatin1String(bySecond[(s + 5) % 5]);
    } else {
        SRWavePlayer1->WaveName = checked->objectName();
    }
}

void TForm1::SoundItemClick(QAction *item)
{
    item->setChecked(true);
    if (item == Zadny)
        return;
    SelectSound();
    SRWavePlayer1->Play();
}

void TForm1::PlayReadingSound()
{
    if (!Zadny->isChecked())
        SRWavePlayer1->Play();
}
