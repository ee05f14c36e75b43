#include "app/Zendra12F.h"
#include "app/StartupTrace.h"
#include "tools/FindS_F10.h"
#include "tools/JournalWindow.h"
#include "ui/AnimatedImage.h"
#include "ui/AssetCatalogue.h"
#include "ui/ConsultationEdit.h"
#include "ui/Cursors.h"
#include "ui/ExplorerButton.h"
#include "ui/LogoF.h"
#include "ui/PictureBox.h"
#include "ui/SRWavePlayer.h"
#include "ui/TileImage.h"
#include "ui/GoToWeb.h"
#include "ui/KxCollapsePanel.h"
#include "ui/Guidance.h"
#include "ui/HelpGuide.h"
#include "ui/RichView.h"
#include "ui/Zendra12F4.h"
#include "notes/Pozn_F11.h"
#include <QActionGroup>
#include <QPrinter>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMenuBar>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace {

QAction *Item(QMenu *menu, const char *name, const QString &caption, bool checkable = false)
{
    auto *a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    a->setCheckable(checkable);
    return a;
}

QMenu *Submenu(QMenu *parent, const char *name, const QString &caption)
{
    QMenu *m = parent->addMenu(caption);
    m->setObjectName(QLatin1String(name));
    m->menuAction()->setObjectName(QLatin1String(name));
    return m;
}

QActionGroup *Radio(QObject *owner, std::initializer_list<QAction *> items)
{
    auto *g = new QActionGroup(owner);
    g->setExclusive(true);
    for (QAction *a : items)
        g->addAction(a);
    return g;
}

// Items whose commands come with later parts of the program stay visible but disabled.
} // namespace

TForm1::TForm1(Platform &platform, ProgramState &state, const InterpretationCorpus &corpus, QWidget *parent)
    : QMainWindow(parent), m_platform(platform), m_state(state), m_corpus(corpus)
{
    setObjectName(QStringLiteral("Form1"));
    createControls();
    setupFileActions();
    setupEditActions();
    setupSettingsActions();
    setupBookActions();
    setupWindowActions();
    setupHelpActions();
    // A screen reader names an open menu by its title, without the accelerator.
    for (QMenu *menu : findChildren<QMenu *>())
        if (menu->accessibleName().isEmpty())
            menu->setAccessibleName(QString(menu->title()).remove(u'&'));
    FormCreate();
    qApp->installEventFilter(this);
}

TForm1::~TForm1()
{
    m_printAbort = true;
    qApp->removeEventFilter(this);
    delete Form4;
}

void TForm1::About1Click()
{
    Form4->setGuideFolder(HelpGuide::Folder(ProgramFolder));
    Form4->show();
    Form4->raise();
    Form4->activateWindow();
}

void TForm1::createControls()
{
    Image1 = new TTileImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setTileImage(true);
    setCentralWidget(Image1);
    connect(Image1, &TTileImage::mousePressed, this, &TForm1::FormMouseDown);

    Image3 = new TPictureBox(Image1);
    Image3->setObjectName(QStringLiteral("Image3"));
    Describe(Image3, QStringLiteral("Obrázek trigramů"),
             QStringLiteral("Klepněte nejprve na dolní trigram hexagramu, potom na horní: otevře se text "
                            "hexagramu. Trigramy vybírají i klávesy F1 až F8."));
    connect(Image3, &TPictureBox::mousePressed, this, &TForm1::FormMouseDown);
    for (int i = 0; i < 9; ++i) {
        PaintBox[i] = new TPaintBox(Image1);
        PaintBox[i]->setObjectName(QStringLiteral("PaintBox%1").arg(i + 1));
        if (i < 8) {
            Describe(PaintBox[i], QStringLiteral("Trigram na místě %1").arg(i + 1),
                     QStringLiteral("Klepnutím vyberete trigram: nejprve dolní, potom horní, a otevře se text "
                                    "hexagramu. Pravé tlačítko ukáže popis trigramu."),
                     QStringLiteral("Vybere trigram: nejprve dolní, potom horní, a otevře se text hexagramu. "
                                    "Klávesa F%1; popis trigramu ukáže Ctrl+F%1.").arg(i + 1));
            connect(PaintBox[i], &TPaintBox::clicked, this, [this, i] { PickTrigram(i + 1); });
            connect(PaintBox[i], &TPaintBox::mousePressed, this,
                    [this, i](QMouseEvent *e) { PaintBoxMouseDown(i + 1, e->button()); });
        }
    }
    Describe(PaintBox[8], QStringLiteral("Vyčistit obrázek trigramů"),
             QStringLiteral("Klepnutím vyčistíte obrázek a můžete vybírat trigramy znovu."),
             QStringLiteral("Vyčistí obrázek trigramů, aby bylo možné vybírat znovu. Klávesa F9."));
    connect(PaintBox[8], &TPaintBox::clicked, this, &TForm1::PaintBox9Click);
    connect(PaintBox[8], &TPaintBox::mousePressed, this, &TForm1::FormMouseDown);
    const char *const hints[4] = {"Hexagram jádra", "Hexagram z opačných čar", "Hexagram z otočených trigramů",
                                  "Poznámky"};
    const char *const descriptions[4] = {
        "Otevře hexagram jádra hexagramu ukázaného v obrázku: dolní trigram z jeho druhé až čtvrté čáry, "
        "horní z třetí až páté.",
        "Otevře hexagram, ve kterém je každá čára hexagramu ukázaného v obrázku obrácena.",
        "Otevře hexagram, ve kterém si dolní a horní trigram hexagramu ukázaného v obrázku vymění místa.",
        "Otevře vaše poznámky k hexagramu ukázanému v obrázku."};
    const char *const glyphs[4] = {"TlJadro", "TlOpacne", "TlOtocene", "TlPoznamky"};
    for (int i = 0; i < 4; ++i) {
        ExplorerButton[i] = new TExplorerButton(Image1);
        ExplorerButton[i]->setObjectName(QStringLiteral("ExplorerButton%1").arg(i + 1));
        Describe(ExplorerButton[i], QString::fromUtf8(hints[i]), QString::fromUtf8(hints[i]),
                 QString::fromUtf8(descriptions[i]));
        ExplorerButton[i]->setBitmap(Assets::Picture(QLatin1String(glyphs[i])));
        ExplorerButton[i]->setOptions(TExplorerButton::boMonoDisplay | TExplorerButton::boShowBevel);
        ExplorerButton[i]->resize(27, 27);
        if (i < 3)
            connect(ExplorerButton[i], &QAbstractButton::clicked, this, [this, i] { ExplorerButtonClick(i); });
        else
            connect(ExplorerButton[i], &QAbstractButton::clicked, this, &TForm1::ExplorerButton4Click);
    }

    for (int k = 0; k < 3; ++k) {
        AnimatedImage[k] = new TAnimatedImage(Image1);
        AnimatedImage[k]->setObjectName(QStringLiteral("AnimatedImage%1").arg(k + 1));
        Describe(AnimatedImage[k], QStringLiteral("Obrázek mince %1").arg(k + 1),
                 QStringLiteral("Mince se hází tlačítkem %1 pod ní.").arg(k + 1),
                 QStringLiteral("Ukazuje, jak mince %1 padla.").arg(k + 1));
        connect(AnimatedImage[k], &TAnimatedImage::mousePressed, this, &TForm1::FormMouseDown);
        Button[k] = new QPushButton(QStringLiteral("&%1").arg(k + 1), Image1);
        Button[k]->setObjectName(QStringLiteral("Button%1").arg(k + 1));
        Button[k]->setAccessibleName(QStringLiteral("Mince %1").arg(k + 1)); // its tip follows the mode
        Button[k]->setFocusPolicy(Qt::TabFocus);
        connect(Button[k], &QPushButton::clicked, this, [this, k] { CoinButtonClick(k); });
    }
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kHandTimerMs);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    Image2 = new TPictureBox(Image1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setAccessibleName(QStringLiteral("Papír s čarami")); // its tip follows the mode
    connect(Image2, &TPictureBox::clicked, this, &TForm1::Image2Click);
    connect(Image2, &TPictureBox::mousePressed, this, &TForm1::FormMouseDown);

    auto *editor = new TConsultationEdit(Image1);
    editor->onInsert = [this](const QMimeData *source) { PasteText(source); };
    RichEdit2 = editor;
    RichEdit2->setObjectName(QStringLiteral("RichEdit2"));
    RichEdit2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab leaves the text for the buttons of the table, as in a form; the
    // question and notes need no tab characters.
    RichEdit2->setTabChangesFocus(true);
    // No tool tip: it would stand over the text being written.
    Describe(RichEdit2, QStringLiteral("Text konzultace"), QString(),
             QStringLiteral("Za „Otázka:“ napište svou otázku; sem patří i vaše poznámky. Po šestém hodu "
                            "se sem připíše odpověď. Tab přejde na tlačítka mincí."));
    RichEdit3 = new QPlainTextEdit(this);
    RichEdit3->setObjectName(QStringLiteral("RichEdit3"));
    RichEdit3->setFocusPolicy(Qt::NoFocus);
    Describe(RichEdit3, QStringLiteral("Skrytý text hledání"), QString(),
             QStringLiteral("Neviditelná kopie textu, ve které se hledá."));
    RichEdit3->hide();

    SRWavePlayer1 = new TSRWavePlayer(m_platform.sound, this);
    SRWavePlayer1->setObjectName(QStringLiteral("SRWavePlayer1"));

    RichView1 = new TRichView(Image1);
    RichView1->setObjectName(QStringLiteral("RichView1"));
    Describe(RichView1, QStringLiteral("Popis trigramu"), QString(),
             QStringLiteral("Krátký popis trigramu. Zmizí po klepnutí nebo klávesou Esc."));
    RichView1->hide();
    RVStyle1 = new TRVStyle(this);
    RVStyle1->setObjectName(QStringLiteral("RVStyle1"));
    RichView1->setStyle(RVStyle1);
    connect(RichView1, &TRichView::clicked, this, &TForm1::HideTrigramPopup);
    connect(RichView1, &TRichView::rightClicked, this, &TForm1::HideTrigramPopup);

    createPanel();
    createTabOrder();

    GoToWeb1 = new TGoToWeb(m_platform.shell, this);
    GoToWeb1->setObjectName(QStringLiteral("GoToWeb1"));
    ProgramFolder = QCoreApplication::applicationDirPath();
    Form4 = new TForm4(m_platform.shell, m_platform.dialogs);
    Form4->setObjectName(QStringLiteral("Form4"));
    Form4->setGuideFolder(HelpGuide::Folder(ProgramFolder));
}

void TForm1::createTabOrder()
{
    // The question first, then the coins, the panel, and the picture's buttons.
    QList<QWidget *> order = {RichEdit2, Button[0], Button[1], Button[2], Image4, KxExplorerButton2,
                              KxExplorerButton1, KxExplorerButton3, ExplorerButton5, ExplorerButton6,
                              ExplorerButton7, KxCollapsePanel1->FoldButton(), KxCollapsePanel1->CloseButton()};
    for (TExplorerButton *b : ExplorerButton)
        order << b;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TForm1::setupFileActions()
{
    File1 = menuBar()->addMenu(QStringLiteral("&Soubor"));
    File1->setObjectName(QStringLiteral("File1"));
    New1 = Item(File1, "New1", QStringLiteral("&Nový"));
    ZavOkno = Item(File1, "ZavOkno", QStringLiteral("&Zavřít"));
    File1->addSeparator();
    Open1 = Item(File1, "Open1", QStringLiteral("&Otevřít..."));
    Save1 = Item(File1, "Save1", QStringLiteral("&Uložit"));
    SaveAs1 = Item(File1, "SaveAs1", QStringLiteral("Uložit &Jako..."));
    File1->addSeparator();
    Vzhledstrnky1 = Item(File1, "Vzhledstrnky1", QStringLiteral("&Vzhled stránky..."));
    Tisk = Item(File1, "Tisk", QStringLiteral("&Tisk..."));
    PrintSetup1 = Item(File1, "PrintSetup1", QStringLiteral("N&astavení tisku..."));
    File1->addSeparator();
    Exit1 = Item(File1, "Exit1", QStringLiteral("&Konec"));
    // The keys users expect; none of them is one the table already answers.
    const std::pair<QAction *, const char *> keys[] = {{New1, "Ctrl+N"},  {Open1, "Ctrl+O"},
                                                       {Save1, "Ctrl+S"}, {SaveAs1, "Ctrl+Shift+S"},
                                                       {Tisk, "Ctrl+P"},  {Exit1, "Ctrl+Q"}};
    for (const auto &[item, key] : keys)
        item->setShortcut(QKeySequence(QLatin1String(key)));
    connect(New1, &QAction::triggered, this, &TForm1::New1Click);
    connect(ZavOkno, &QAction::triggered, this, &TForm1::ZavOknoClick);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(Open1, &QAction::triggered, this, &TForm1::Open1Click);
    connect(Save1, &QAction::triggered, this, &TForm1::Save1Click);
    connect(SaveAs1, &QAction::triggered, this, &TForm1::SaveAs1Click);
    connect(Vzhledstrnky1, &QAction::triggered, this, &TForm1::Vzhledstrnky1Click);
    connect(Tisk, &QAction::triggered, this, &TForm1::TiskClick);
    connect(PrintSetup1, &QAction::triggered, this, &TForm1::PrintSetup1Click);
}

void TForm1::setupEditActions()
{
    Edit1 = menuBar()->addMenu(QStringLiteral("Ú&pravy"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Cut1 = Item(Edit1, "Cut1", QStringLiteral("&Vyjmout"));
    Copy1 = Item(Edit1, "Copy1", QStringLiteral("&Kopírovat"));
    Paste1 = Item(Edit1, "Paste1", QStringLiteral("V&ložit"));
    Odstranit2 = Item(Edit1, "Odstranit2", QStringLiteral("Od&stranit"));
    Vybratve1 = Item(Edit1, "Vybratve1", QStringLiteral("Vybr&at vše"));
    // The editor takes these keys itself; the menu shows them.
    Cut1->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    Copy1->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    Paste1->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    for (QAction *a : {Cut1, Copy1, Paste1})
        a->setShortcutContext(Qt::WidgetShortcut);
    Edit1->addSeparator();
    Zpet1 = Item(Edit1, "Zpet1", QStringLiteral("Zpě&t"));
    Znovu1 = Item(Edit1, "Znovu1", QStringLiteral("Z&novu"));
    // The editor answers both keys itself while it has the focus; the items
    // catch them where a desktop gives redo another key.
    Zpet1->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    Znovu1->setShortcut(QKeySequence(QStringLiteral("Ctrl+Y")));
    connect(Zpet1, &QAction::triggered, this, &TForm1::Zpet1Click);
    connect(Znovu1, &QAction::triggered, this, &TForm1::Znovu1Click);
    Edit1->addSeparator();
    Zrusit1 = Item(Edit1, "Zrusit1", QStringLiteral("&Zrušit"));
    connect(Zrusit1, &QAction::triggered, this, &TForm1::Zrusit1Click);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Describe(PopupMenu1, QStringLiteral("Úpravy textu"), QString(),
             QStringLiteral("Vyjmout, kopírovat, vložit, odstranit nebo vybrat text konzultace."));
    Vyjmout1 = Item(PopupMenu1, "Vyjmout1", QStringLiteral("&Vyjmout"));
    Kopirovat1 = Item(PopupMenu1, "Kopirovat1", QStringLiteral("&Kopírovat"));
    Vlozit1 = Item(PopupMenu1, "Vlozit1", QStringLiteral("V&ložit"));
    Odstranit1 = Item(PopupMenu1, "Odstranit1", QStringLiteral("Od&stranit"));
    VybratVse1 = Item(PopupMenu1, "VybratVse1", QStringLiteral("Vybr&at vše"));
    const std::pair<QAction *, QAction *> pairs[] = {
        {Cut1, Vyjmout1}, {Copy1, Kopirovat1}, {Paste1, Vlozit1}, {Odstranit2, Odstranit1}, {Vybratve1, VybratVse1}};
    void (TForm1::*const handlers[])(bool) = {&TForm1::Cut1Click, &TForm1::Copy1Click, &TForm1::Paste1Click,
                                              &TForm1::Odstranit2Click, &TForm1::Vybratve1Click};
    for (int i = 0; i < 5; ++i) {
        const auto handler = handlers[i];
        connect(pairs[i].first, &QAction::triggered, this, [this, handler] { (this->*handler)(false); });
        connect(pairs[i].second, &QAction::triggered, this, [this, handler] { (this->*handler)(true); });
    }
    connect(Edit1, &QMenu::aboutToShow, this, &TForm1::Edit1Click);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TForm1::PopupMenu1Popup);
    RichEdit2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichEdit2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(RichEdit2->viewport()->mapToGlobal(at)); });
}

void TForm1::setupSettingsActions()
{
    Nastaveni1 = menuBar()->addMenu(QStringLiteral("&Nastavení"));
    Nastaveni1->setObjectName(QStringLiteral("Nastaveni1"));
    Barvapozad1 = Item(Nastaveni1, "Barvapozad1", QStringLiteral("&Barva pozadí..."));
    Font1 = Item(Nastaveni1, "Font1", QStringLiteral("&Písmo..."));
    Systmovbarvy1 = Item(Nastaveni1, "Systmovbarvy1", QStringLiteral("S&ystémové barvy"));
    Puvodni = Item(Nastaveni1, "Puvodni", QStringLiteral("Původní &nastavení"));
    UlozNas1 = Item(Nastaveni1, "UlozNas1", QStringLiteral("&Uložit nastavení"));
    connect(Barvapozad1, &QAction::triggered, this, &TForm1::Barvapozad1Click);
    connect(Font1, &QAction::triggered, this, &TForm1::Font1Click);
    connect(Systmovbarvy1, &QAction::triggered, this, &TForm1::Systmovbarvy1Click);
    connect(Puvodni, &QAction::triggered, this, &TForm1::PuvodniClick);
    connect(UlozNas1, &QAction::triggered, this, &TForm1::UlozNas1Click);
    Nastaveni1->addSeparator();

    Nastavovatmince1 = Submenu(Nastaveni1, "Nastavovatmince1", QStringLiteral("&Házení mincí"));
    Pocitacem1 = Item(Nastavovatmince1, "Pocitacem1", QStringLiteral("&Počítačem"), true);
    Rucne1 = Item(Nastavovatmince1, "Rucne1", QStringLiteral("&Ručně"), true);
    Radio(this, {Pocitacem1, Rucne1});
    Pocitacem1->setChecked(true);
    connect(Pocitacem1, &QAction::triggered, this, &TForm1::Pocitacem1Click);
    connect(Rucne1, &QAction::triggered, this, &TForm1::Rucne1Click);

    Uspodntrigram1 = Submenu(Nastaveni1, "Uspodntrigram1", QStringLiteral("Uspořádání &trigramů"));
    FuSi1 = Item(Uspodntrigram1, "FuSi1", QStringLiteral("&Fu Si"), true);
    Wen1 = Item(Uspodntrigram1, "Wen1", QStringLiteral("&Wen"), true);
    Radio(this, {FuSi1, Wen1});
    connect(FuSi1, &QAction::triggered, this, [this] { LoadTrigramPicture(); });
    connect(Wen1, &QAction::triggered, this, [this] { LoadTrigramPicture(); });

    Soupis = Item(Nastaveni1, "Soupis", QStringLiteral("&Soupis Hexagramů..."));
    connect(Soupis, &QAction::triggered, this, &TForm1::ShowContents);
    connect(Nastaveni1, &QMenu::aboutToShow, this, &TForm1::Nastaveni1Click);

    UklDoSouboru = Submenu(Nastaveni1, "UklDoSouboru", QStringLiteral("Ukládat do souboru"));
    CisHexagramu = Item(UklDoSouboru, "CisHexagramu", QStringLiteral("Číslo hexagramu"), true);
    VvojHexagram = Item(UklDoSouboru, "VvojHexagram", QStringLiteral("Vývojový hexagram"), true);
    VykladDH = Item(UklDoSouboru, "VykladDH", QStringLiteral("Návod výkladu vývojového hexagramu"), true);
    CisHexagramu->setChecked(true);
    VykladDH->setChecked(true);
    connect(VvojHexagram, &QAction::triggered, this, &TForm1::VvojHexagramClick);

    ZobrazitPanelDH = Item(Nastaveni1, "ZobrazitPanelDH", QStringLiteral("Zobrazit panel hexagramu"));
    connect(ZobrazitPanelDH, &QAction::triggered, this, &TForm1::ShowPanel);

    DrevoStolu = Submenu(Nastaveni1, "DrevoStolu", QStringLiteral("Dřevo stolu"));
    QList<QAction *> woods;
    for (int i = 0; i < 4; ++i) {
        Drevo[i] = Item(DrevoStolu, QStringLiteral("Drevo%1").arg(i + 1).toLatin1().constData(),
                        QStringLiteral("Dřevo %1").arg(i + 1), true);
        connect(Drevo[i], &QAction::triggered, this, [this, i] { WoodClick(i + 1); });
    }
    NahodaD = Item(DrevoStolu, "NahodaD", QStringLiteral("Zobrazovat náhodně"), true);
    connect(NahodaD, &QAction::triggered, this, [this] { WoodClick(0); });
    Radio(this, {Drevo[0], Drevo[1], Drevo[2], Drevo[3], NahodaD});
    NahodaD->setChecked(true);

    Papir = Submenu(Nastaveni1, "Papir", QStringLiteral("Papír"));
    PapObrTrig = Submenu(Papir, "PapObrTrig", QStringLiteral("Obrázek trigramů"));
    ZlatistyObrTrig = Item(PapObrTrig, "ZlatistyObrTrig", QStringLiteral("Zlatistý"), true);
    StrbrObrTrig = Item(PapObrTrig, "StrbrObrTrig", QStringLiteral("Stříbrošedý"), true);
    Radio(this, {ZlatistyObrTrig, StrbrObrTrig});
    ZlatistyObrTrig->setChecked(true);
    connect(ZlatistyObrTrig, &QAction::triggered, this, [this] { LoadTrigramPicture(); });
    connect(StrbrObrTrig, &QAction::triggered, this, [this] { LoadTrigramPicture(); });
    PapVykrCar = Submenu(Papir, "PapVykrCar", QStringLiteral("Pro vykreslování čar"));
    ZlatistyVykrCar = Item(PapVykrCar, "ZlatistyVykrCar", QStringLiteral("Zlatistý"), true);
    StrbrVykrCar = Item(PapVykrCar, "StrbrVykrCar", QStringLiteral("Stříbrošedý"), true);
    Radio(this, {ZlatistyVykrCar, StrbrVykrCar});
    ZlatistyVykrCar->setChecked(true);
    connect(ZlatistyVykrCar, &QAction::triggered, this, &TForm1::LoadPaper);
    connect(StrbrVykrCar, &QAction::triggered, this, &TForm1::LoadPaper);
    PapPanelHex = Submenu(Papir, "PapPanelHex", QStringLiteral("Na panelu hexagramu"));
    ZlatistyPanelHex = Item(PapPanelHex, "ZlatistyPanelHex", QStringLiteral("Zlatistý"), true);
    StrbrPanelHex = Item(PapPanelHex, "StrbrPanelHex", QStringLiteral("Stříbrošedý"), true);
    Radio(this, {ZlatistyPanelHex, StrbrPanelHex});
    StrbrPanelHex->setChecked(true);
    auto panelTint = [this] {
        LoadPanelPaper();
        if (m_state.lines.hasHexagram)
            DrawPanelLines();
    };
    connect(ZlatistyPanelHex, &QAction::triggered, this, panelTint);
    connect(StrbrPanelHex, &QAction::triggered, this, panelTint);

    MinceMenu = Submenu(Nastaveni1, "MinceMenu", QStringLiteral("Mince"));
    Stribro = Item(MinceMenu, "Stribro", QStringLiteral("Stříbrné"), true);
    Zlato = Item(MinceMenu, "Zlato", QStringLiteral("Zlaté"), true);
    Radio(this, {Stribro, Zlato});
    Stribro->setChecked(true);
    connect(Stribro, &QAction::triggered, this, [this] { MetalClick(true); });
    connect(Zlato, &QAction::triggered, this, [this] { MetalClick(false); });

    Zvuky = Submenu(Nastaveni1, "Zvuky", QStringLiteral("Zvuky"));
    Zvonky = Item(Zvuky, "Zvonky", QStringLiteral("Zvonky"), true);
    Zvonek = Item(Zvuky, "Zvonek", QStringLiteral("Zvonek"), true);
    Harfa1 = Item(Zvuky, "Harfa1", QStringLiteral("Harfa 1"), true);
    Harfa2 = Item(Zvuky, "Harfa2", QStringLiteral("Harfa 2"), true);
    Hrom = Item(Zvuky, "Hrom", QStringLiteral("Hrom"), true);
    Zvuky->addSeparator()->setObjectName(QStringLiteral("N11"));
    Zadny = Item(Zvuky, "Zadny", QStringLiteral("Žádný"), true);
    Nahoda = Item(Zvuky, "Nahoda", QStringLiteral("Přehrávat náhodně"), true);
    m_soundGroup = Radio(this, {Zvonky, Zvonek, Harfa1, Harfa2, Hrom, Zadny, Nahoda});
    Nahoda->setChecked(true);
    for (QAction *a : m_soundGroup->actions())
        connect(a, &QAction::triggered, this, [this, a] { SoundItemClick(a); });

    Rychle = Item(Nastaveni1, "Rychle", QStringLiteral("Rychlé otáčení mincí"), true);
    connect(Rychle, &QAction::triggered, this, &TForm1::RychleClick);
}

void TForm1::setupBookActions()
{
    Obsah1 = menuBar()->addMenu(QStringLiteral("O&bsah"));
    Obsah1->setObjectName(QStringLiteral("Obsah1"));
    ObsahKP1 = Item(Obsah1, "ObsahKP1", QStringLiteral("Obsah &Knihy proměn..."));
    NajitKP1 = Item(Obsah1, "NajitKP1", QStringLiteral("&Najít v Knize proměn..."));
    Najtvuloenchsouborech1 = Item(Obsah1, "Najtvuloenchsouborech1", QStringLiteral("Najít v &souborech..."));
    DenikKonzultaci1 = Item(Obsah1, "DenikKonzultaci1", QStringLiteral("&Deník konzultací..."));
    connect(ObsahKP1, &QAction::triggered, this, &TForm1::ShowContents);
    connect(NajitKP1, &QAction::triggered, this, &TForm1::NajitKP1Click);
    connect(Najtvuloenchsouborech1, &QAction::triggered, this, &TForm1::Najtvuloenchsouborech1Click);
    connect(DenikKonzultaci1, &QAction::triggered, this, &TForm1::DenikKonzultaci1Click);
}

void TForm1::setFilesFindWindow(TForm10 *find)
{
    Form10 = find;
    UpdateActions();
}

void TForm1::Najtvuloenchsouborech1Click()
{
    if (!Form10)
        return;
    Form10->show();
    Form10->raise();
    Form10->activateWindow();
}

void TForm1::setJournalWindow(JournalWindow *journal)
{
    JournalForm = journal;
    UpdateActions();
}

void TForm1::DenikKonzultaci1Click()
{
    if (!JournalForm)
        return;
    JournalForm->show();
    JournalForm->raise();
    JournalForm->activateWindow();
}

void TForm1::setupWindowActions()
{
    Okno = menuBar()->addMenu(QStringLiteral("&Okno"));
    Okno->setObjectName(QStringLiteral("Okno"));
    auto *group = new QActionGroup(this);
    for (int k = 1; k <= 9; ++k) {
        QAction *a = new QAction(this);
        a->setObjectName(QStringLiteral("Okno%1").arg(k));
        a->setCheckable(true);
        a->setVisible(false);
        group->addAction(a);
        OknoItem[k - 1] = a;
        connect(a, &QAction::triggered, this, [this, k] { SwitchToSlot(k); });
    }
    RefreshWindowMenu();
}

void TForm1::setupHelpActions()
{
    menuBar()->setAccessibleName(QStringLiteral("Hlavní nabídka"));
    menuBar()->setAccessibleDescription(
        QStringLiteral("Příkazy programu. Nabídku otevře Alt s podtrženým písmenem jejího názvu."));
    Help1 = menuBar()->addMenu(QStringLiteral("Nápo&věda"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Napoveda = Item(Help1, "Napoveda", QStringLiteral("&Nápověda..."));
    About1 = Item(Help1, "About1", QStringLiteral("&O programu..."));
    connect(Napoveda, &QAction::triggered, this, &TForm1::NapovedaClick);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);
}

void TForm1::FormCreate()
{
    LoadSettings();
    if (!FuSi1->isChecked())
        Wen1->setChecked(true);
    LoadPanelPaper();
    LoadTrigramPicture();
    LoadPaper();
    WoodClick(NahodaD->isChecked() ? 0 : [this] {
        for (int i = 0; i < 4; ++i)
            if (Drevo[i]->isChecked())
                return i + 1;
        return 0;
    }());
    if (Pocitacem1->isChecked())
        Pocitacem1Click();
    else
        Rucne1Click();
    SetSpinInterval();
    Cursors::RegisterProgramCursors();
    for (int i = 0; i < 9; ++i)
        Cursors::Set(PaintBox[i], crRuka);
    for (int i = 0; i < 4; ++i)
        Cursors::Set(ExplorerButton[i], crRukaZak);
    LayOutPanel();
    LayOutTable();
    SetUpTrigramPopup();
    New1Click();
    SelectSound();
    UpdateActions();
    setWindowIcon(QIcon(QPixmap::fromImage(Assets::Picture(QStringLiteral("MainIcon")))));
}

void TForm1::LayOutTable()
{
    // Fractions of the table and the client area, each product truncated.
    const int W = Image1->width(), H = Image1->height(), V = Image1->height();
    auto T = [](double v) { return static_cast<int>(v); };
    Image3->move(T(W * 0.02039), T(H * 0.01513));
    const int L = Image3->x(), Tp = Image3->y(), Wd = Image3->width(), Ht = Image3->height();
    // Areas 1 and 5 take their tops from the picture's height alone, as designed.
    const QRect areas[8] = {
        QRect(L + T(Wd * 0.5) - 20, T(Ht * 72.0 / 305), T(Wd * 41.0 / 345), T(Ht * 33.0 / 305)),
        QRect(L + T(Wd * 0.5) + 30, Tp + T(Ht * 0.5) - 70, T(Wd * 41.0 / 345), T(Ht * 41.0 / 305)),
        QRect(L + T(Wd * 0.5) + 60, Tp + T(Ht * 0.5) - 18, T(Wd * 33.0 / 345), T(Ht * 41.0 / 305)),
        QRect(L + T(Wd * 0.5) + 30, Tp + T(Ht * 0.5) + 33, T(Wd * 41.0 / 345), T(Ht * 49.0 / 305)),
        QRect(L + T(Wd * 0.5) - 20, T(Ht * 224.0 / 305), T(Wd * 41.0 / 345), T(Ht * 33.0 / 305)),
        QRect(L + T(Wd * 0.5) - 70, Tp + T(Ht * 0.5) + 33, T(Wd * 41.0 / 345), T(Ht * 49.0 / 305)),
        QRect(L + T(Wd * 0.5) - 90, Tp + T(Ht * 0.5) - 18, T(Wd * 33.0 / 345), T(Ht * 41.0 / 305)),
        QRect(L + T(Wd * 0.5) - 70, Tp + T(Ht * 0.5) - 70, T(Wd * 41.0 / 345), T(Ht * 41.0 / 305)),
    };
    for (int i = 0; i < 8; ++i)
        PaintBox[i]->setGeometry(areas[i]);
    PaintBox[8]->setGeometry(L, Tp, Wd, T(Ht * 0.1082));
    const int buttonTop = Tp + Ht - 27 - 3;
    ExplorerButton[0]->move(L + 3, buttonTop);
    ExplorerButton[1]->move(ExplorerButton[0]->x() + 27 + 2, buttonTop);
    ExplorerButton[2]->move(ExplorerButton[1]->x() + 27 + 2, buttonTop);
    ExplorerButton[3]->move(L + Wd - 27 - 3, buttonTop);

    const double coinLeft[3] = {0.06115, 0.14268, 0.22421};
    for (int k = 0; k < 3; ++k) {
        AnimatedImage[k]->move(T(W * coinLeft[k]), T(V * 0.667));
        Button[k]->setGeometry(AnimatedImage[k]->x() + T((AnimatedImage[k]->width() - 48) * 0.5),
                               AnimatedImage[k]->y() + AnimatedImage[k]->height() + 20, 48, 30);
    }
    Image2->move(T(W * 0.35669), T(V * 0.66667));
    RichEdit2->setGeometry(T(W * 0.51975), Tp, T(W * 0.48026), V - Tp - 10);
    for (int i = 0; i < 9; ++i)
        PaintBox[i]->raise();
    for (int i = 0; i < 4; ++i)
        ExplorerButton[i]->raise();
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    // The table follows the maximised window once its real size is known.
    LayOutTable();
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TForm1::FormActivate()
{
    if (!m_state.firstActivation) {
        if (m_logo) {
            m_logo->close();
            // The decoded logo is kept for no one once its window is gone.
            connect(m_logo, &QObject::destroyed, [] { Assets::ReleaseUnused(); });
            m_logo->deleteLater();
        }
        RichEdit2->setFocus(); // the question is typed first
        StartupMark("main-ready");
    }
    m_state.firstActivation = true;
}

void TForm1::FormMouseDown() { HideTrigramPopup(); }

void TForm1::LoadTablePicture(int number)
{
    Image1->setPicture(Assets::Picture(QStringLiteral("Stul%1").arg(number)));
}

void TForm1::WoodClick(int number)
{
    if (number == 0) {
        // The seconds of the clock choose: 1 -> Stul1, 2 -> Stul2, 3 -> Stul3, 0 -> Stul4.
        const int s = m_platform.clock.now().time().second() % 4;
        NahodaD->setChecked(true);
        LoadTablePicture(s == 0 ? 4 : s);
        return;
    }
    Drevo[number - 1]->setChecked(true);
    LoadTablePicture(number);
}

void TForm1::LoadTrigramPicture()
{
    const bool golden = ZlatistyObrTrig->isChecked();
    const QString name = FuSi1->isChecked() ? QStringLiteral("FuSi") : QStringLiteral("Wen");
    Image3->setPicture(Assets::Picture(name + (golden ? u'1' : u'2')));
}

void TForm1::LoadPaper()
{
    Image2->setPicture(Assets::Picture(ZlatistyVykrCar->isChecked() ? QStringLiteral("Papir1")
                                                                     : QStringLiteral("Papir2")));
}

void TForm1::Exit1Click() { close(); }

void TForm1::NapovedaClick()
{
    // The guide is looked for at each request: it may be installed after the start.
    const QString guide = HelpGuide::Folder(ProgramFolder);
    if (guide.isEmpty()) {
        m_platform.dialogs.message(MessageKind::Error, QStringLiteral("Chyba"),
                                   QStringLiteral("Nápověda nebyla nalezena. Patří do složky %1.")
                                       .arg(QDir::toNativeSeparators(HelpGuide::InstalledFolder(ProgramFolder))));
        return;
    }
    GoToWeb1->Url = HelpGuide::PageAddress(guide, HelpGuide::kIndexPage);
    if (!GoToWeb1->Execute())
        m_platform.dialogs.message(MessageKind::Error, QStringLiteral("Chyba"),
                                   QStringLiteral("Nelze otevřít internetový prohlížeč."));
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    // Every question has been answered: the notes window goes without asking again.
    if (Form11 && Form11->isVisible())
        Form11->CloseAnswered();
    EndRecovery();
    event->accept();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    // Every event of the application passes here: look at the type first.
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::MouseButtonRelease)
        return QMainWindow::eventFilter(watched, event);
    auto *w = qobject_cast<QWidget *>(watched);
    if (w && w->window() != this && m_printing && type != QEvent::MouseButtonRelease
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        // Esc in another window (the margins dialog's "Tisk...") aborts the
        // job too, instead of closing that window.
        if (type == QEvent::KeyRelease)
            AbortPrinting();
        return true;
    }
    if (!w || w->window() != this)
        return QMainWindow::eventFilter(watched, event);
    const bool inEditor = w == RichEdit2 || w == RichEdit2->viewport();
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab && TabToBookWindows())
            return true;
        if (w == RichEdit2 && !key->text().isEmpty() && key->key() != Qt::Key_Escape)
            m_state.documents.current().modified = true; // any character typed
        // The editor's own undo and redo change the text too, whatever text the key carries.
        if (w == RichEdit2 && (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
                               || key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)))
            m_state.documents.current().modified = true;
        break;
    }
    case QEvent::KeyRelease: {
        // The main window sees every key of its own widgets before they do.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->isAutoRepeat())
            break;
        if (w == RichEdit2 && key->key() == Qt::Key_Delete)
            m_state.documents.current().modified = true;
        // An ignored release travels on to the parents; act on it where it starts.
        QWidget *first = QApplication::focusWidget();
        if (!first || first->window() != this)
            first = this;
        if (w == first)
            FormKeyUp(key->key(), key->modifiers());
        break;
    }
    case QEvent::MouseButtonRelease:
        if (inEditor && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
            m_state.documents.current().modified = true; // the editor's pop-up menu
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::FormKeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers mods = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool ctrlAlone = mods == Qt::ControlModifier;
    const bool altAlone = mods == Qt::AltModifier;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F8) {
        const int position = key - Qt::Key_F1 + 1;
        if (ctrlAlone)
            PaintBoxMouseDown(position, Qt::RightButton);
        else if (!(key == Qt::Key_F4 && altAlone))
            PickTrigram(position);
    } else if (key == Qt::Key_F9) {
        if (!ctrlAlone)
            F9Pressed();
    } else if (key == Qt::Key_F12) {
        Image2Click();
    } else if (key == Qt::Key_Escape) {
        if (PrintingUnderway())
            AbortPrinting();
        else if (Zrusit1->isEnabled())
            Zrusit1Click();
        HideTrigramPopup();
    }
}
