// The settings key: loaded once when the main window is made, written only
// by "&Uložit nastavení"; and the commands that change the editor's look.

#include "app/Zendra12F.h"
#include "app/SettingsKeys.h"
#include "tools/FindKP_F9.h"
#include "tools/FindS_F10.h"
#include "tools/WindowPlacer.h"
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

int TForm1::WoodNumber() const
{
    for (int i = 0; i < 4; ++i)
        if (Drevo[i]->isChecked())
            return i + 1;
    return 5;
}

void TForm1::SetSoundItem(int number)
{
    QAction *const items[7] = {Zvonky, Zvonek, Harfa1, Harfa2, Hrom, Zadny, Nahoda};
    (number >= 1 && number <= 7 ? items[number - 1] : Nahoda)->setChecked(true);
}

int TForm1::SoundNumber() const
{
    const QList<QAction *> sounds = {Zvonky, Zvonek, Harfa1, Harfa2, Hrom, Zadny, Nahoda};
    return int(sounds.indexOf(m_soundGroup->checkedAction())) + 1;
}

void TForm1::ApplyFontText(const QString &text)
{
    const FontText f = StringToFont(text);
    QFont font(f.name);
    font.setPointSize(qMax(1, f.size));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    RichEdit2->setFont(font);
    m_fontColor = f.color;
}

QString TForm1::CurrentFontText() const
{
    const QFont f = RichEdit2->font();
    FontText text;
    text.name = f.family();
    text.size = QFontInfo(f).pointSize();
    text.bold = f.bold();
    text.italic = f.italic();
    text.underline = f.underline();
    text.strikeOut = f.strikeOut();
    text.color = m_fontColor;
    return FontToString(text);
}

QList<TForm1::SettingBinding> TForm1::SettingBindings()
{
    // What each value of the table sets and reads in the window; each setter
    // only sets, the caller brings pictures and controls up to date.
    auto check = [](QAction *item) {
        return SettingBinding{nullptr, [item](const QVariant &v) { item->setChecked(v.toBool()); },
                              [item] { return QVariant(item->isChecked()); }};
    };
    auto pair = [](QAction *whenSet, QAction *otherwise) {
        return SettingBinding{nullptr, [=](const QVariant &v) { (v.toBool() ? whenSet : otherwise)->setChecked(true); },
                              [whenSet] { return QVariant(whenSet->isChecked()); }};
    };
    auto named = [](const char *name, SettingBinding b) {
        b.name = name;
        return b;
    };
    return {
        named("Dir", {nullptr, [this](const QVariant &v) { m_notesFolder = v.toString(); }, nullptr}),
        named("FontM1", {nullptr, [this](const QVariant &v) { ApplyFontText(v.toString()); },
                         [this] { return QVariant(CurrentFontText()); }}),
        named("ColorM1", {nullptr, [this](const QVariant &v) { m_backColor = StringToColor(v.toString()); },
                          [this] { return QVariant(ColorToString(m_backColor)); }}),
        named("FS", pair(FuSi1, Wen1)),
        named("PC", pair(Pocitacem1, Rucne1)),
        named("KxColPanelTop", {nullptr, [this](const QVariant &v) { m_panelPlace.setY(v.toInt()); },
                                [this] { return QVariant(KxCollapsePanel1->y()); }}),
        named("KxColPanelLeft", {nullptr, [this](const QVariant &v) { m_panelPlace.setX(v.toInt()); },
                                 [this] { return QVariant(KxCollapsePanel1->x()); }}),
        named("CisHex", check(CisHexagramu)),
        named("VyvHex", check(VvojHexagram)),
        named("VDHex", check(VykladDH)),
        named("CisDr", {nullptr, [this](const QVariant &v) { SetWood(v.toInt()); },
                        [this] { return QVariant(WoodNumber()); }}),
        named("ZObrTrig", pair(ZlatistyObrTrig, StrbrObrTrig)),
        named("ZVykrCar", pair(ZlatistyVykrCar, StrbrVykrCar)),
        named("ZPanelHex", pair(ZlatistyPanelHex, StrbrPanelHex)),
        named("SMince", pair(Stribro, Zlato)),
        named("CisZv", {nullptr, [this](const QVariant &v) { SetSoundItem(v.toInt()); },
                        [this] { return QVariant(SoundNumber()); }}),
        named("Rychle", check(Rychle)),
    };
}

namespace {

QVariant DefaultValue(const SettingKey &key)
{
    switch (key.type) {
    case SettingType::Text: return QString::fromUtf8(key.text);
    case SettingType::Flag: return key.number != 0;
    case SettingType::Integer: break;
    }
    return key.number;
}

QVariant StoredValue(const SettingsStore &store, const SettingKey &key)
{
    const QString name = SettingName(key);
    switch (key.type) {
    case SettingType::Text: return store.readString(name);
    case SettingType::Flag: return store.readInteger(name) != 0; // any nonzero number reads as set
    case SettingType::Integer: break;
    }
    return store.readInteger(name);
}

void WriteValue(SettingsStore &store, const SettingKey &key, const QVariant &value)
{
    if (key.type == SettingType::Text)
        store.writeString(SettingName(key), value.toString());
    else
        store.writeInteger(SettingName(key), key.type == SettingType::Flag ? int(value.toBool()) : value.toInt());
}

} // namespace

void TForm1::LoadSettings()
{
    SettingsStore &store = m_platform.settings;
    QFont font(kBuiltInFont);
    font.setPixelSize(kBuiltInFontPixels);
    RichEdit2->setFont(font);
    if (!store.keyExists()) {
        // No key at all: the desktop's own colours and the "&Wen" arrangement.
        m_fontColor = SystemColor(clWindowTextIdx);
        m_backColor = SystemColor(clWindowIdx);
        Wen1->setChecked(true);
        ApplyEditorLook();
        return;
    }
    // Without FontM1 the built-in font stays, plain, in the default colour.
    m_fontColor = kDefaultTextColor;
    const QList<SettingBinding> bindings = SettingBindings();
    for (const SettingKey &key : SettingsTable()) {
        const auto b = std::find_if(bindings.begin(), bindings.end(),
                                    [&](const SettingBinding &x) { return qstrcmp(x.name, key.name) == 0; });
        if (b == bindings.end())
            continue; // places and margins: their windows read them
        const bool stored = store.contains(SettingName(key));
        if (!stored && key.type == SettingType::Text && key.writer == SettingWriter::SaveSettings)
            continue;
        try {
            b->apply(stored ? StoredValue(store, key) : DefaultValue(key));
        } catch (const EConvertError &e) {
            // A damaged text: say so, keep the default, and go on with the rest.
            m_platform.dialogs.message(MessageKind::Error, kProgramCaption, e.message());
        }
    }
    ApplyEditorLook();
}

void TForm1::UlozNas1Click()
{
    SettingsStore &store = m_platform.settings;
    store.createKey();
    const QList<SettingBinding> bindings = SettingBindings();
    for (const SettingKey &key : SettingsTable()) {
        if (key.writer != SettingWriter::SaveSettings)
            continue;
        for (const SettingBinding &b : bindings)
            if (qstrcmp(b.name, key.name) == 0)
                WriteValue(store, key, b.collect());
    }
    // A window that never had a place has none to store.
    for (const WindowPlacer *place : m_places)
        place->save(store);
    CommitSettings();
}

void TForm1::CommitSettings()
{
    const QString failure = m_platform.settings.commit();
    if (!failure.isEmpty())
        m_platform.dialogs.message(MessageKind::Error, kProgramCaption, failure);
}

MainWindowSize TForm1::mainWindowSize() const
{
    // The client area under the menu, and the outer height with the frame:
    // the same two measures for every default place.
    const QList<ScreenArea> screens = screenAreas();
    return {Image1->width(), Image1->height(), frameGeometry().height(),
            screens.isEmpty() ? 0 : screens.first().geometry.height()};
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
    const QColor shown = ResolveColor(m_fontColor);
    const std::optional<FontChoice> f =
        m_platform.dialogs.chooseFont({RichEdit2->font(), shown}, ResolveColor(m_backColor));
    if (!f)
        return;
    RichEdit2->setFont(f->font);
    // A colour left as it was keeps its form: a desktop colour stays one and
    // follows the desktop, as "S&ystémové barvy" set it. The colour goes into
    // FontM1 with the font.
    if (f->color.rgb() != shown.rgb())
        m_fontColor = ValueOf(f->color);
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
    // The values the table restores; the arrangement and the way of tossing stay.
    const QList<SettingBinding> bindings = SettingBindings();
    for (const SettingKey &key : SettingsTable())
        if (key.original)
            for (const SettingBinding &b : bindings)
                if (qstrcmp(b.name, key.name) == 0)
                    b.apply(DefaultValue(key));
    ApplyEditorLook();
    if (Form11)
        Form11->takeLook();

    for (WindowPlacer *place : m_places)
        place->restoreOriginal();
    m_panelPlace = QPoint(Image3->x() + Image3->width() - 20, Image3->y() + 10);
    KxCollapsePanel1->move(m_panelPlace);

    WoodClick(0);
    LoadTrigramPicture();
    if (m_state.trigramPickState == PickShown)
        DrawHexagramInPicture();
    DrawCastOnPaper();
    LoadPanelPaper();
    if (m_state.lines.hasHexagram)
        DrawPanelLines();
    MetalClick(true);
    SetSpinInterval();
    SelectSound();
    UpdateActions();
}

void TForm1::VvojHexagramClick() { UpdateActions(); }
