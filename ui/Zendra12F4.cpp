#include "ui/Zendra12F4.h"
#include "ui/AssetCatalogue.h"
#include "ui/BevelPanel.h"
#include "ui/Guidance.h"
#include "ui/HelpGuide.h"
#include "ui/RosHotLabel.h"
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace {

QLabel *CentredLabel(QWidget *parent, const QString &text, int pixelSize, const char *name)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TForm4::TForm4(Shell &shell, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("O programu"));
    const int panelWidth = 262, margin = 10;

    Panel1 = new TBevelPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->BevelInner = TBevelPanel::bvLowered;
    Panel1->applyFrame();
    const int inner = Panel1->frameWidth();

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setGeometry((panelWidth - 230) / 2, inner + 14, 230, 200);

    int y = Image1->geometry().bottom() + 10;
    Label1 = CentredLabel(Panel1, kProgramName, 23, "Label1");
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setGeometry(inner, y, panelWidth - 2 * inner, 30);
    y += 32;
    Label2 = CentredLabel(Panel1, QStringLiteral("Verze 2.1"), 13, "Label2");
    Label2->setGeometry(inner, y, panelWidth - 2 * inner, 20);
    y += 30;

    TRosHotLabel *labels[2] = {};
    const char *const linkNames[2] = {"Obsah příručky", "O programu v příručce"};
    const char *const linkTips[2] = {"Otevře příručku Zendry v prohlížeči.",
                                     "Otevře v prohlížeči stránku příručky o programu."};
    for (int i = 0; i < 2; ++i) {
        labels[i] = new TRosHotLabel(shell, Panel1);
        labels[i]->setObjectName(QStringLiteral("RosHotLabel%1").arg(i + 1));
        QFont f = labels[i]->font();
        f.setPixelSize(17);
        labels[i]->setFont(f);
        labels[i]->setAlignment(Qt::AlignCenter);
        labels[i]->setGeometry(inner, y, panelWidth - 2 * inner, 24);
        y += 26;
        Describe(labels[i], QString::fromUtf8(linkNames[i]), QString::fromUtf8(linkTips[i]));
        connect(labels[i], &TRosHotLabel::urlError, this,
                [this](const QString &text) { m_dialogs.message(MessageKind::Error, QStringLiteral("Chyba"), text); });
    }
    RosHotLabel1 = labels[0];
    RosHotLabel2 = labels[1];
    Panel1->setGeometry(margin, margin, panelWidth, y + 10 + inner);

    Button1 = new QPushButton(QStringLiteral("Zavřít"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(margin + (panelWidth - 90) / 2, Panel1->geometry().bottom() + 12, 90, 28);
    Button1->setDefault(true);
    Describe(Button1, {}, QStringLiteral("Zavře okno O programu."));
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    setFixedSize(panelWidth + 2 * margin, Button1->geometry().bottom() + 1 + margin);
    centreOnScreen();
}

void TForm4::setGuideFolder(const QString &folder)
{
    const QString pages[2] = {HelpGuide::kIndexPage, HelpGuide::kAboutPage};
    TRosHotLabel *const labels[2] = {RosHotLabel1, RosHotLabel2};
    for (int i = 0; i < 2; ++i) {
        labels[i]->setCaption(folder.isEmpty() ? QString() : HelpGuide::PageAddress(folder, pages[i]));
        labels[i]->setVisible(!folder.isEmpty());
    }
}

void TForm4::showEvent(QShowEvent *event)
{
    // The box is made at start-up but seldom shown: its logo is decoded then.
    if (Image1->pixmap().isNull())
        Image1->setPixmap(QPixmap::fromImage(Assets::Picture(QStringLiteral("Logo"), devicePixelRatioF())));
    QWidget::showEvent(event);
}

void TForm4::centreOnScreen()
{
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}
