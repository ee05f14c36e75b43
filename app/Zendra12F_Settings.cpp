// The settings key: loaded once when the main window is made, written only
// by "&Uložit nastavení"; and the commands that change the editor's look.

#include "app/Zendra12F.h"
#include "tools/FindKP_F9.h"
#include "tools/FindS_F10.h"
#include "tools/Zendra12F2.h"
#include "tools/Zendra12F3.h"
#include "notes/Pozn_F11.h"
#include "ui/KxCollapsePanel.h"
#include "ui/PictureBox.h"
#include "ui/TileImage.h"
#include <QMenu>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFontInfo>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScreen>

namespace {

const QString kBuiltInFont = QStringLiteral("Arial CE");
constexpr int kBuiltInFontPixels = 18;
constexpr int kOriginalFontPoints = 11;

QPalette::ColorRole RoleOf(int index)
{
    switch (index) {
    case clWindowIdx: case clInfoBkIdx: return QPalette::Base;
    case clWindowTextIdx: case clInfoTextIdx: case clMenuTextIdx: return QPalette::Text;
    case clHighlightIdx: return QPalette::Highlight;
    case clHighlightTextIdx: return QPalette::HighlightedText;
    case clBtnTextIdx: case clCaptionTextIdx: case clInactiveCaptionTextIdx: return QPalette::ButtonText;
    case clBtnShadowIdx: case cl3DDkShadowIdx: case clGrayTextIdx: return QPalette::Dark;
    case clBtnHighlightIdx: case cl3DLightIdx: return QPalette::Light;
    default: return QPalette::Window;
    }
}

} // namespace

QColor TForm1::ResolveColor(ColorValue value)
{
    if (IsSystemColor(value))
        return QApplication::palette().color(RoleOf(value & 0xFF));
    if (value == kClNone)
        return QColor(0, 0, 0);
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

static ColorValue ValueOf(const QColor &c)
{
    return ColorValue(c.red() | (c.green() << 8) | (c.blue() << 16));
}

void TForm1::ApplyEditorLook()
{
    const QColor text = ResolveColor(m_fontColor), back = ResolveColor(m_backColor);
    QPalette pal = RichEdit2->palette();
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Text, text);
    RichEdit2->setPalette(pal);
    RichEdit3->setFont(RichEdit2->font());
    if (Form2) {
        Form2->RichEdit1->setFont(RichEdit2->font());
        Form2->RichEdit1->setPalette(pal);
    }
    if (Form3)
        Form3->setLook(RichEdit2->font().family(), text, back);
    if (RichView1)
        SetUpTrigramPopup();
}

void TForm1::SetWood(int number)
{
    if (number >= 1 && number <= 4)
        Drevo[number - 1]->setChecked(true);
    else
        NahodaD->setChecked(true);
}

void TForm1::SetSoundItem(int number)
{
    QAction *const items[7] = {Zvonky, Zvonek, Harfa1, Harfa2, Hrom, Zadny, Nahoda};
    (number >= 1 && number <= 7 ? items[number - 1] : Nahoda)->setChecked(true);
}

void TForm1::LoadSettings()
{
    SettingsStore &store = m_platform.settings;
    QFont font(kBuiltInFont);
    font.setPixelSize(kBuiltInFontPixels);
    if (!store.keyExists()) {
        // No key at all: the desktop's own colours and the "&Wen" arrangement.
        RichEdit2->setFont(font);
        m_fontColor = SystemColor(clWindowTextIdx);
        m_backColor = SystemColor(clWindowIdx);
        Wen1->setChecked(true);
        ApplyEditorLook();
        VykladDH->setEnabled(VvojHexagram->isChecked());
        return;
    }
    auto has = [&](const char *name) { return store.contains(QLatin1String(name)); };
    auto flag = [&](const char *name) { return store.readInteger(QLatin1String(name)) != 0; };

    if (has("Dir"))
        m_notesFolder = store.readString(QStringLiteral("Dir"));
    m_fontColor = kDefaultTextColor;
    if (has("FontM1")) {
        try {
            const FontText f = StringToFont(store.readString(QStringLiteral("FontM1")));
            font = QFont(f.name);
            font.setPointSize(qMax(1, f.size));
            font.setBold(f.bold);
            font.setItalic(f.italic);
            font.setUnderline(f.underline);
            font.setStrikeOut(f.strikeOut);
            m_fontColor = f.color;
        } catch (const EConvertError &e) {
            // A damaged font text: say so and keep the built-in font.
            m_platform.dialogs.message(MessageKind::Error, QStringLiteral("Zendra 2.1"), e.message());
        }
    }
    RichEdit2->setFont(font);
    m_backColor = kBlack;
    if (has("ColorM1")) {
        try {
            m_backColor = StringToColor(store.readString(QStringLiteral("ColorM1")));
        } catch (const EConvertError &e) {
            m_platform.dialogs.message(MessageKind::Error, QStringLiteral("Zendra 2.1"), e.message());
        }
    }
    (!has("FS") || flag("FS") ? FuSi1 : Wen1)->setChecked(true);
    (!has("PC") || flag("PC") ? Pocitacem1 : Rucne1)->setChecked(true);
    if (has("KxColPanelTop"))
        m_panelPlace.setY(store.readInteger(QStringLiteral("KxColPanelTop")));
    if (has("KxColPanelLeft"))
        m_panelPlace.setX(store.readInteger(QStringLiteral("KxColPanelLeft")));
    if (has("CisHex"))
        CisHexagramu->setChecked(flag("CisHex"));
    if (has("VyvHex"))
        VvojHexagram->setChecked(flag("VyvHex"));
    if (has("VDHex"))
        VykladDH->setChecked(flag("VDHex"));
    if (has("Rychle"))
        Rychle->setChecked(flag("Rychle"));
    if (has("CisDr"))
        SetWood(store.readInteger(QStringLiteral("CisDr")));
    if (has("CisZv"))
        SetSoundItem(store.readInteger(QStringLiteral("CisZv")));
    if (has("ZObrTrig"))
        (flag("ZObrTrig") ? ZlatistyObrTrig : StrbrObrTrig)->setChecked(true);
    if (has("ZVykrCar"))
        (flag("ZVykrCar") ? ZlatistyVykrCar : StrbrVykrCar)->setChecked(true);
    if (has("ZPanelHex"))
        (flag("ZPanelHex") ? ZlatistyPanelHex : StrbrPanelHex)->setChecked(true);
    if (has("SMince"))
        (flag("SMince") ? Stribro : Zlato)->setChecked(true);
    ApplyEditorLook();
    VykladDH->setEnabled(VvojHexagram->isChecked());
}

void TForm1::UlozNas1Click()
{
    SettingsStore &store = m_platform.settings;
    store.createKey();
    const QFont f = RichEdit2->font();
    FontText text;
    text.name = f.family();
    text.size = QFontInfo(f).pointSize();
    text.bold = f.bold();
    text.italic = f.italic();
    text.underline = f.underline();
    text.strikeOut = f.strikeOut();
    text.color = m_fontColor;
    store.writeString(QStringLiteral("FontM1"), FontToString(text));
    store.writeString(QStringLiteral("ColorM1"), ColorToString(m_backColor));
    store.writeInteger(QStringLiteral("FS"), FuSi1->isChecked());
    store.writeInteger(QStringLiteral("PC"), Pocitacem1->isChecked());
    if (Form2) {
        const QRect g = Form2->geometry();
        store.writeInteger(QStringLiteral("F2Left"), g.x());
        store.writeInteger(QStringLiteral("F2Top"), g.y());
        store.writeInteger(QStringLiteral("F2Height"), g.height());
        store.writeInteger(QStringLiteral("F2Width"), g.width());
    }
    if (Form3) {
        const QRect g = Form3->geometry();
        store.writeInteger(QStringLiteral("F3Left"), g.x());
        store.writeInteger(QStringLiteral("F3Top"), g.y());
        store.writeInteger(QStringLiteral("F3Height"), g.height());
        store.writeInteger(QStringLiteral("F3Width"), g.width());
    }
    if (Form9) {
        store.writeInteger(QStringLiteral("F9Left"), Form9->x());
        store.writeInteger(QStringLiteral("F9Top"), Form9->y());
    }
    if (Form10)
        Form10->SavePlace(store);
    store.writeInteger(QStringLiteral("KxColPanelTop"), KxCollapsePanel1->y());
    store.writeInteger(QStringLiteral("KxColPanelLeft"), KxCollapsePanel1->x());
    store.writeInteger(QStringLiteral("CisHex"), CisHexagramu->isChecked());
    store.writeInteger(QStringLiteral("VyvHex"), VvojHexagram->isChecked());
    store.writeInteger(QStringLiteral("VDHex"), VykladDH->isChecked());
    int wood = 5;
    for (int i = 0; i < 4; ++i)
        if (Drevo[i]->isChecked())
            wood = i + 1;
    store.writeInteger(QStringLiteral("CisDr"), wood);
    store.writeInteger(QStringLiteral("ZObrTrig"), ZlatistyObrTrig->isChecked());
    store.writeInteger(QStringLiteral("ZVykrCar"), ZlatistyVykrCar->isChecked());
    store.writeInteger(QStringLiteral("ZPanelHex"), ZlatistyPanelHex->isChecked());
    store.writeInteger(QStringLiteral("SMince"), Stribro->isChecked());
    const QList<QAction *> sounds = {Zvonky, Zvonek, Harfa1, Harfa2, Hrom, Zadny, Nahoda};
    store.writeInteger(QStringLiteral("CisZv"), int(sounds.indexOf(m_soundGroup->checkedAction())) + 1);
    store.writeInteger(QStringLiteral("Rychle"), Rychle->isChecked());
    CommitSettings();
}

void TForm1::CommitSettings()
{
    const QString failure = m_platform.settings.commit();
    if (!failure.isEmpty())
        m_platform.dialogs.message(MessageKind::Error, QStringLiteral("Zendra 2.1"), failure);
}

void TForm1::Barvapozad1Click()
{
    const std::optional<QColor> c = m_platform.dialogs.chooseColor(ResolveColor(m_backColor));
    if (!c)
        return;
    m_backColor = ValueOf(*c);
    ApplyEditorLook();
}

void TForm1::Font1Click()
{
    const std::optional<QFont> f = m_platform.dialogs.chooseFont(RichEdit2->font());
    if (!f)
        return;
    RichEdit2->setFont(*f);
    // Black letters on a black background would vanish.
    if (m_backColor == kBlack && m_fontColor == kBlack)
        m_fontColor = kDefaultTextColor;
    ApplyEditorLook();
}

void TForm1::Systmovbarvy1Click()
{
    m_fontColor = SystemColor(clWindowTextIdx);
    m_backColor = SystemColor(clWindowIdx);
    ApplyEditorLook();
    if (Form11)
        Form11->takeLook();
}

void TForm1::PuvodniClick()
{
    m_backColor = kBlack;
    m_fontColor = kDefaultTextColor;
    QFont font(kBuiltInFont);
    font.setPointSize(kOriginalFontPoints);
    RichEdit2->setFont(font);
    ApplyEditorLook();
    if (Form11)
        Form11->takeLook();

    // Window places from the main window's size; Trunc as everywhere.
    const int W = Image1->width(), H = Image1->height(), MH = frameGeometry().height();
    const QScreen *screen = this->screen();
    const int SH = screen ? screen->geometry().height() : H;
    if (Form2) {
        const int left = int(W * 0.36375), top = int(H * 0.54348);
        Form2->setGeometry(left, top, W - left, qMax(50, H + top - SH));
    }
    if (Form3) {
        const int top = int(MH * 0.035);
        Form3->setGeometry(int(W * 0.4395), top, int(W * 0.44625), H + top);
    }
    if (Form9)
        Form9->move(9, int(MH * 0.56333));
    if (Form10)
        Form10->RestoreDefaultPlace(MH);
    m_panelPlace = QPoint(Image3->x() + Image3->width() - 20, Image3->y() + 10);
    KxCollapsePanel1->move(m_panelPlace);

    // The options' own defaults; arrangement and way of tossing stay.
    CisHexagramu->setChecked(true);
    VvojHexagram->setChecked(false);
    VykladDH->setChecked(true);
    VykladDH->setEnabled(false);
    WoodClick(0);
    ZlatistyObrTrig->setChecked(true);
    LoadTrigramPicture();
    if (m_state.trigramPickState == PickShown)
        DrawHexagramInPicture();
    ZlatistyVykrCar->setChecked(true);
    if (PapVykrCar->menuAction()->isEnabled()) // never wipe a drawn cast
        LoadPaper();
    StrbrPanelHex->setChecked(true);
    LoadPanelPaper();
    if (m_state.lines.hasHexagram)
        DrawPanelLines();
    if (!Stribro->isChecked())
        MetalClick(true);
    Rychle->setChecked(false);
    SetSpinInterval();
    Nahoda->setChecked(true);
    SelectSound();
}

void TForm1::VvojHexagramClick() { VykladDH->setEnabled(VvojHexagram->isChecked()); }
void TForm1::CisHexagramuClick() {}
