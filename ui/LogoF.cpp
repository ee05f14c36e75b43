#include "ui/LogoF.h"
#include "ui/AssetCatalogue.h"
#include "ui/BevelPanel.h"
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

TForm7::TForm7(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form7"));
    setFixedSize(kClientWidth, kClientHeight);
    Panel1 = new TBevelPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->BevelInner = TBevelPanel::bvLowered;
    Panel1->BorderWidth = 5;
    Panel1->SingleBorder = true;
    Panel1->applyFrame();
    Panel1->setGeometry(rect());
    // Single border, outer and inner bevel and the border width leave the logo its own size.
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(Panel1->contentsRect());
    Image1->setPixmap(QPixmap::fromImage(Assets::Picture(QStringLiteral("Logo"), devicePixelRatioF())));
    Image1->setScaledContents(true);
    centreOnScreen();
}

void TForm7::centreOnScreen()
{
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}
