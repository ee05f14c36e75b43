// The developing-hexagram panel: the cast drawn on its own paper, changing
// lines chosen by clicks (red when chosen), and the derived hexagrams.

#include "app/Zendra12F.h"
#include "casting/LineDrawing.h"
#include "ui/AssetCatalogue.h"
#include "ui/Cursors.h"
#include "ui/ExplorerButton.h"
#include "ui/Guidance.h"
#include "ui/KxCollapsePanel.h"
#include "ui/PictureBox.h"
#include "ui/TileImage.h"
#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The picture buttons are named by their hints, the captioned ones by their captions.
template <typename Button>
Button *PanelButton(QWidget *panel, const char *name, const QString &caption, const QString &hint, int w, int h,
                    const QString &description)
{
    auto *b = new Button(panel);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    Describe(b, caption.isEmpty() ? hint : caption, hint, description);
    b->resize(w, h);
    return b;
}

// A point is inside a band only strictly between its edges.
bool StrictlyInside(const QRect &r, const QPoint &p)
{
    return r.left() < p.x() && p.x() < r.right() && r.top() < p.y() && p.y() < r.bottom();
}
} // namespace

void TForm1::createPanel()
{
    KxCollapsePanel1 = new TKxCollapsePanel(Image1);
    KxCollapsePanel1->setObjectName(QStringLiteral("KxCollapsePanel1"));
    KxCollapsePanel1->setHeaderCaption(QStringLiteral("Doplňkový hexagram"));
    Describe(KxCollapsePanel1, QStringLiteral("Doplňkový hexagram"), QString(),
             QStringLiteral("Panel s hozeným hexagramem a s hexagramy, které z něj vycházejí. "
                            "Za horní lištu ho lze přesunout; na jeho tlačítka přejde klávesa Tab."));
    KxCollapsePanel1->hide();
    TileImage1 = new TTileImage(KxCollapsePanel1);
    TileImage1->setObjectName(QStringLiteral("TileImage1"));
    TileImage1->setPictureName(QStringLiteral("PanelPozadi")); // the panel is hidden until a cast ends
    TileImage1->setTileImage(true);
    Image4 = new TPictureBox(KxCollapsePanel1);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4->move(9, 25);
    Image4->setFocusPolicy(Qt::TabFocus);
    Describe(Image4, QStringLiteral("Čáry hozeného hexagramu"),
             QStringLiteral("Klepnutím na měnící se čáru ji vyberete (zčervená), dalším klepnutím výběr zrušíte. "
                            "Tlačítko „Z čar“ pak otevře hexagram, ve kterém se mění jen vybrané čáry."),
             QStringLiteral("Hozený hexagram. Měnící se čáru vyberete klepnutím nebo klávesou 1 až 6 (čáry "
                            "se počítají odspodu); tlačítko „Z čar“ pak otevře hexagram, ve kterém se mění "
                            "jen vybrané čáry."));
    connect(Image4, &TPictureBox::keyPressed, this, [this](QKeyEvent *e) {
        if (e->key() >= Qt::Key_1 && e->key() <= Qt::Key_6 && !(e->modifiers() & ~Qt::KeypadModifier)) {
            Image4LineKey(e->key() - Qt::Key_1 + 1);
            e->accept();
        }
    });
    connect(Image4, &TPictureBox::mouseMoved, this, [this](QMouseEvent *e) { Image4MouseMove(e->position().toPoint()); });
    connect(Image4, &TPictureBox::mousePressed, this, [this](QMouseEvent *e) { Image4MouseDown(e->position().toPoint()); });

    KxExplorerButton2 = PanelButton<TKxExplorerButton>(
        KxCollapsePanel1, "KxExplorerButton2", QStringLiteral("Vývojový hexagram"),
        QStringLiteral("Otevře vývojový hexagram: ten, ve kterém se všechny měnící se čáry promění."), 89, 41, {});
    KxExplorerButton1 = PanelButton<TKxExplorerButton>(
        KxCollapsePanel1, "KxExplorerButton1", QStringLiteral("Z čar"),
        QStringLiteral("Otevře hexagram, ve kterém se promění jen čáry vybrané klepnutím na papír panelu."), 89, 25,
        {});
    for (TKxExplorerButton *b : {KxExplorerButton2, KxExplorerButton1}) {
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        b->setFlat(true);
    }
    KxExplorerButton2->FontColor = KxExplorerButton2->UnselectedFontColor = QColor(255, 255, 0);
    KxExplorerButton2->setWordWrap(true);
    KxExplorerButton1->FontColor = KxExplorerButton1->UnselectedFontColor = QColor(255, 0, 0);
    KxExplorerButton3 = PanelButton<TKxExplorerButton>(
        KxCollapsePanel1, "KxExplorerButton3", QString(), QStringLiteral("Hexagram jádra"), 33, 33,
        QStringLiteral("Otevře hexagram jádra hozeného hexagramu: dolní trigram z jeho druhé až čtvrté čáry, "
                       "horní z třetí až páté."));
    ExplorerButton5 = PanelButton<TExplorerButton>(
        KxCollapsePanel1, "ExplorerButton5", QString(), QStringLiteral("Hexagram z opačných čar"), 33, 33,
        QStringLiteral("Otevře hexagram, ve kterém je každá čára hozeného hexagramu obrácena."));
    ExplorerButton6 = PanelButton<TExplorerButton>(
        KxCollapsePanel1, "ExplorerButton6", QString(), QStringLiteral("Hexagram z otočených trigramů"), 33, 33,
        QStringLiteral("Otevře hexagram, ve kterém si dolní a horní trigram hozeného hexagramu vymění místa."));
    ExplorerButton7 = PanelButton<TExplorerButton>(
        KxCollapsePanel1, "ExplorerButton7", QString(), QStringLiteral("Poznámky"), 41, 33,
        QStringLiteral("Otevře vaše poznámky k hozenému hexagramu."));
    ExplorerButton8 = PanelButton<TExplorerButton>(KxCollapsePanel1, "ExplorerButton8", QStringLiteral("?"),
                                                   QStringLiteral("Nápověda"), 25, 25,
                                                   QStringLiteral("Skryté tlačítko bez funkce."));
    ExplorerButton8->setAccessibleName(QStringLiteral("Nápověda"));
    ExplorerButton8->hide();
    KxExplorerButton3->setBitmap(Assets::Picture(QStringLiteral("TlJadro")));
    ExplorerButton5->setBitmap(Assets::Picture(QStringLiteral("TlOpacne")));
    ExplorerButton6->setBitmap(Assets::Picture(QStringLiteral("TlOtocene")));
    ExplorerButton7->setBitmap(Assets::Picture(QStringLiteral("TlPoznamky")));

    connect(KxExplorerButton2, &QAbstractButton::clicked, this, [this] { PanelButtonClick(0); });
    connect(KxExplorerButton1, &QAbstractButton::clicked, this, [this] { PanelButtonClick(1); });
    connect(KxExplorerButton3, &QAbstractButton::clicked, this, [this] { PanelButtonClick(2); });
    connect(ExplorerButton5, &QAbstractButton::clicked, this, [this] { PanelButtonClick(3); });
    connect(ExplorerButton6, &QAbstractButton::clicked, this, [this] { PanelButtonClick(4); });
    connect(ExplorerButton7, &QAbstractButton::clicked, this, &TForm1::ExplorerButton7Click);
    connect(KxCollapsePanel1, &TKxCollapsePanel::clicked, this, &TForm1::HideTrigramPopup);
}

void TForm1::LayOutPanel()
{
    // Design tops are kept; lefts and the panel's size follow the paper.
    KxExplorerButton2->move(0, 32);
    KxExplorerButton1->move(0, 80);
    ExplorerButton7->move(0, 111);
    ExplorerButton8->move(0, 111);
    KxExplorerButton3->move(0, 151);
    int width = Image4->width() + KxExplorerButton2->width() + 2 * Image4->x() + 19;
    int height = Image4->height() + 2 * Image4->y();
    const int column = Image4->x() + Image4->width() + 16;
    for (QWidget *b : {static_cast<QWidget *>(KxExplorerButton2), static_cast<QWidget *>(KxExplorerButton1),
                       static_cast<QWidget *>(ExplorerButton8)})
        b->move(column, b->y());
    ExplorerButton7->move(KxExplorerButton2->x() + KxExplorerButton2->width() - ExplorerButton7->width(), 111);
    KxExplorerButton3->move(Image4->x() + Image4->width() + 7, 151);
    ExplorerButton5->move(KxExplorerButton3->x() + KxExplorerButton3->width() - 1, 151);
    ExplorerButton6->move(ExplorerButton5->x() + ExplorerButton5->width() - 1, 151);
    const int bottom = ExplorerButton6->y() + ExplorerButton6->height();
    const int right = ExplorerButton6->x() + ExplorerButton6->width();
    if (height < bottom)
        height = bottom + 16;
    if (width < right)
        width = right + 16;
    KxCollapsePanel1->setGeometry(QRect(m_panelPlace, QSize(width, height)));
    TileImage1->setGeometry(0, 0, width, height);
    TileImage1->lower();
    for (QWidget *b : {static_cast<QWidget *>(KxExplorerButton3), static_cast<QWidget *>(ExplorerButton5),
                       static_cast<QWidget *>(ExplorerButton6)})
        Cursors::Set(b, crRuka);
    Cursors::Set(Image4, crSipkaZ);
}

void TForm1::LoadPanelPaper()
{
    Image4->setPicture(Assets::Picture(ZlatistyPanelHex->isChecked() ? QStringLiteral("Papir1")
                                                                     : QStringLiteral("Papir2")));
}

void TForm1::DrawPanelLines()
{
    const HexagramLines &cast = m_state.lines.castLines;
    PanelState &panel = m_state.panel;
    LoadPanelPaper();
    panel.panelLineRects = {};
    QImage &paper = Image4->canvas();
    const int W = Image4->width(), H = Image4->height(); // the paper's size as shown
    QPainter painter(&paper);
    for (int k = 1; k <= 6; ++k) {
        const LineValue v = cast[k];
        if (!IsCastValue(v))
            continue;
        const bool marked = IsChanging(v) && panel.panelMarks[k - 1];
        DrawLine(painter, W, H, k, v, Image1->width(), marked ? QColor(255, 0, 0) : QColor(0, 0, 0));
        if (IsChanging(v))
            panel.panelLineRects[k - 1] = LineGeometry::ChangingLineBand(W, H, k, v);
    }
    painter.end();
    Image4->update();
}

void TForm1::ClearPanelMarks()
{
    m_state.panel.panelMarks = {};
    UpdateActions();
}

void TForm1::Image4MouseMove(const QPoint &at)
{
    bool over = false;
    for (const QRect &r : m_state.panel.panelLineRects)
        over = over || StrictlyInside(r, at);
    Cursors::Set(Image4, over ? crSipka : crSipkaZ);
}

void TForm1::Image4MouseDown(const QPoint &at)
{
    PanelState &panel = m_state.panel;
    for (int k = 0; k < 6; ++k) {
        if (StrictlyInside(panel.panelLineRects[k], at)) {
            panel.panelMarks[k] = !panel.panelMarks[k];
            DrawPanelLines();
        }
    }
    UpdateActions();
}

void TForm1::Image4LineKey(int position)
{
    // The key does what a click in the middle of the line's band does.
    Image4MouseDown(m_state.panel.panelLineRects[position - 1].center());
}

void TForm1::PanelButtonClick(int which)
{
    const HexagramLines &cast = m_state.lines.castLines;
    HexagramLines &lines = m_state.lines.readingLines;
    switch (which) {
    case 0: lines = DevelopingLines(cast); break;
    case 1: lines = ChosenChangeLines(cast, m_state.panel.panelMarks); break;
    case 2: lines = NuclearLines(cast); break;
    case 3: lines = OppositeLines(cast); break;
    default: lines = SwappedTrigramLines(cast); break;
    }
    ShowHexagramInViewer(lines);
}

void TForm1::ShowPanel()
{
    KxCollapsePanel1->show();
    KxCollapsePanel1->raise();
}

void TForm1::HidePanel() { KxCollapsePanel1->hide(); }
