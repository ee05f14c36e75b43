// The about box, the logo window and the rich-text pop-up view.

#include "support/FakePlatform.h"
#include "ui/BevelPanel.h"
#include "ui/HelpGuide.h"
#include "ui/LogoF.h"
#include "ui/RichView.h"
#include "ui/RosHotLabel.h"
#include "ui/RosURLError.h"
#include "ui/Zendra12F4.h"
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestForms : public QObject {
    Q_OBJECT
private slots:
    void logoWindow();
    void aboutBox();
    void aboutBoxReportsAFailedLink();
    void styleSheetOfTheForm();
    void richViewAddsFormatsAndClears();
    void richViewClicks();
};

void TestForms::logoWindow()
{
    TForm7 logo;
    QCOMPARE(logo.size(), QSize(246, 216));
    QVERIFY(logo.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(logo.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(logo.Panel1->geometry(), logo.rect());
    // Single border, raised outer bevel, border width 5, lowered inner bevel: the logo keeps its size.
    QCOMPARE(logo.Panel1->BorderWidth, 5);
    QCOMPARE(logo.Panel1->BevelInner, TBevelPanel::bvLowered);
    QVERIFY(logo.Panel1->SingleBorder);
    QCOMPARE(logo.Image1->geometry(), QRect(8, 8, 230, 200));
    const QImage shown = logo.grab().toImage();
    // The logo is drawn inside the frame, not the panel's grey.
    QVERIFY(shown.pixelColor(120, 60) != logo.palette().color(QPalette::Window));
}

void TestForms::aboutBox()
{
    FakePlatform platform;
    TForm4 about(platform.shell, platform.dialogs);
    about.setGuideFolder(QStringLiteral(ZENDRA_SOURCE_DIR "/docs/help"));
    QCOMPARE(about.windowTitle(), QStringLiteral("O programu"));
    QVERIFY(about.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(about.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(about.windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QCOMPARE(about.Image1->size(), QSize(230, 200));
    QCOMPARE(about.Label1->text(), QStringLiteral("Zendra"));
    QCOMPARE(about.Label1->font().pixelSize(), 23);
    QCOMPARE(about.Label2->text(), QStringLiteral("Verze 2.1"));
    for (TRosHotLabel *link : {about.RosHotLabel1, about.RosHotLabel2}) {
        QVERIFY(HotLabelUrl::ProtocolRecognised(link->Caption()));
        QVERIFY(!link->Caption().isEmpty());
        QCOMPARE(link->font().pixelSize(), 17);
        QVERIFY(link->font().underline());
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    }
    QCOMPARE(about.Button1->text(), QStringLiteral("Zavřít"));
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.RosHotLabel2, Qt::LeftButton);
    QCOMPARE(platform.shell.opened, QStringList(about.RosHotLabel2->Caption()));
    QTest::mouseClick(about.Button1, Qt::LeftButton);
    QVERIFY(!about.isVisible());
}

void TestForms::aboutBoxReportsAFailedLink()
{
    FakePlatform platform;
    platform.shell.succeed = false;
    TForm4 about(platform.shell, platform.dialogs);
    about.setGuideFolder(QStringLiteral(ZENDRA_SOURCE_DIR "/docs/help"));
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.RosHotLabel1, Qt::LeftButton);
    QCOMPARE(platform.dialogs.shown.size(), 1);
    QCOMPARE(platform.dialogs.shown.first().text,
             HotLabelUrl::ActivateMessage(HelpGuide::PageAddress(QStringLiteral(ZENDRA_SOURCE_DIR "/docs/help"),
                                                                 HelpGuide::kIndexPage)));
}

void TestForms::styleSheetOfTheForm()
{
    TRVStyle style;
    QCOMPARE(style.TextStyles.size(), 6);
    for (const TFontInfo &s : style.TextStyles) {
        QCOMPARE(s.FontName, QStringLiteral("Arial"));
        QCOMPARE(s.Size, 10);
    }
    QVERIFY(!style.TextStyles[0].Bold && !style.TextStyles[0].Italic && !style.TextStyles[0].Underline);
    QCOMPARE(style.TextStyles[1].Color, QColor(0, 0, 255));
    QVERIFY(style.TextStyles[1].Bold);
    QCOMPARE(style.TextStyles[2].Color, QColor(0, 0, 128));
    QVERIFY(style.TextStyles[2].Bold);
    QCOMPARE(style.TextStyles[3].Color, QColor(128, 0, 0));
    QVERIFY(style.TextStyles[3].Italic);
    for (int i : {4, 5}) {
        QCOMPARE(style.TextStyles[i].Color, QColor(0, 128, 0));
        QVERIFY(style.TextStyles[i].Underline);
    }
    TFontInfo mine;
    mine.FontName = QStringLiteral("DejaVu Sans");
    QCOMPARE(style.AddTextStyle(mine), 6);
}

void TestForms::richViewAddsFormatsAndClears()
{
    TRVStyle style;
    TFontInfo pop;
    pop.Size = 10;
    const int six = style.AddTextStyle(pop);
    TRichView view;
    view.setStyle(&style);
    QCOMPARE(view.LeftMargin, 5);
    QCOMPARE(view.RightMargin, 5);
    view.Add(QStringLiteral("  "), six);
    view.Add(QStringLiteral("  Voda - bezedné, řeka, "), six);
    view.Add(QStringLiteral("  nebezpečí. "), six);
    view.Format();
    QCOMPARE(view.lineCount(), 3);
    QCOMPARE(view.lineText(1), QStringLiteral("  Voda - bezedné, řeka, "));
    QCOMPARE(view.lineStyle(2), six);
    QCOMPARE(view.lineTop(0), 0);
    QVERIFY(view.lineTop(1) > 0 && view.lineTop(2) == 2 * view.lineTop(1));
    view.CanvasFont = style.TextStyles[six].font();
    QVERIFY(view.TextWidth(QStringLiteral("  Voda - bezedné, řeka, ")) > view.TextWidth(QStringLiteral("  ")));
    QVERIFY(view.TextHeight(QStringLiteral("Voda")) > 0);
    view.Clear();
    QCOMPARE(view.lineCount(), 0);
}

void TestForms::richViewClicks()
{
    TRichView view;
    view.resize(200, 60);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy left(&view, &TRichView::clicked), right(&view, &TRichView::rightClicked);
    QTest::mouseClick(&view, Qt::LeftButton);
    QTest::mouseClick(&view, Qt::RightButton);
    QCOMPARE(left.count(), 1);
    QCOMPARE(right.count(), 1);
}

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
