// The settings key as the main window reads and writes it.

#include "support/MainWindowFixture.h"
#include "tools/Zendra12F2.h"
#include "ui/KxCollapsePanel.h"
#include "ui/AnimatedImage.h"
#include "ui/PictureBox.h"
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

namespace {
QColor Text(const TForm1 &w) { return w.RichEdit2->palette().color(QPalette::Text); }
QColor Back(const TForm1 &w) { return w.RichEdit2->palette().color(QPalette::Base); }
} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void noKeyAtAll();
    void keyWithoutLook();
    void storedChoices();
    void outOfRangeNumbersChooseAtRandom();
    void damagedFontIsReported();
    void saveAndLoadAgain();
    void blackOnBlackFontBecomesLight();
    void originalSettingsKeepArrangementAndWriteNothing();
};

void TestSettings::noKeyAtAll()
{
    MainWindowFixture f;
    QVERIFY(f.form->Wen1->isChecked());
    QCOMPARE(Text(*f.form), QApplication::palette().color(QPalette::Text));
    QCOMPARE(Back(*f.form), QApplication::palette().color(QPalette::Base));
    QCOMPARE(f.form->RichEdit2->font().pixelSize(), 18);
    QVERIFY(f.form->CisHexagramu->isChecked() && !f.form->VvojHexagram->isChecked());
    QVERIFY(f.form->VykladDH->isChecked() && !f.form->VykladDH->isEnabled());
    QVERIFY(f.form->NahodaD->isChecked() && f.form->Nahoda->isChecked() && f.form->Stribro->isChecked());
    QVERIFY(f.form->ZlatistyObrTrig->isChecked() && f.form->ZlatistyVykrCar->isChecked());
    QVERIFY(f.form->StrbrPanelHex->isChecked());
    QCOMPARE(f.form->KxCollapsePanel1->pos(), QPoint(336, 248));
}

void TestSettings::keyWithoutLook()
{
    MainWindowFixture f([](FakePlatform &p) { p.settings.exists = true; });
    QVERIFY(f.form->FuSi1->isChecked());
    QVERIFY(f.form->Pocitacem1->isChecked());
    QCOMPARE(Text(*f.form), QColor(208, 244, 232));
    QCOMPARE(Back(*f.form), QColor(0, 0, 0));
}

void TestSettings::storedChoices()
{
    MainWindowFixture f([](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values = {{"FontM1", "Arial CE,14,1100,clRed"}, {"ColorM1", "$00FFFFFF"}, {"FS", 0}, {"PC", 0},
                             {"KxColPanelTop", 40}, {"KxColPanelLeft", 50}, {"CisHex", 0}, {"VyvHex", 7},
                             {"VDHex", 0}, {"Rychle", 1}, {"CisDr", 3}, {"CisZv", 4}, {"ZObrTrig", 0},
                             {"ZVykrCar", 0}, {"ZPanelHex", 1}, {"SMince", 0}, {"Dir", "/home/ja/zendra"}};
    });
    TForm1 &w = *f.form;
    QCOMPARE(w.RichEdit2->font().pointSize(), 14);
    QVERIFY(w.RichEdit2->font().bold() && w.RichEdit2->font().italic());
    QCOMPARE(Text(w), QColor(255, 0, 0));
    QCOMPARE(Back(w), QColor(255, 255, 255));
    QVERIFY(w.Wen1->isChecked() && w.Rucne1->isChecked());
    QCOMPARE(w.KxCollapsePanel1->pos(), QPoint(50, 40));
    QVERIFY(!w.CisHexagramu->isChecked() && w.VvojHexagram->isChecked() && !w.VykladDH->isChecked());
    QVERIFY(w.VykladDH->isEnabled());
    QVERIFY(w.Rychle->isChecked());
    QCOMPARE(w.AnimatedImage[0]->Interval(), 5);
    QVERIFY(w.Drevo[2]->isChecked() && w.Harfa2->isChecked());
    QVERIFY(w.StrbrObrTrig->isChecked() && w.StrbrVykrCar->isChecked() && w.ZlatistyPanelHex->isChecked());
    QVERIFY(w.Zlato->isChecked());
    QCOMPARE(w.AnimatedImage[0]->NumGlyphs(), 7); // hand strips
    QCOMPARE(w.notesFolder(), QStringLiteral("/home/ja/zendra"));
}

void TestSettings::outOfRangeNumbersChooseAtRandom()
{
    MainWindowFixture f([](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values = {{"CisDr", 9}, {"CisZv", 0}};
    });
    QVERIFY(f.form->NahodaD->isChecked());
    QVERIFY(f.form->Nahoda->isChecked());
}

void TestSettings::damagedFontIsReported()
{
    MainWindowFixture f([](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values = {{"FontM1", "Arial,11,00,clRed"}, {"SMince", 0}};
    });
    QCOMPARE(f.fake.dialogs.texts(), QStringList{QStringLiteral("Invalid string to font conversion")});
    QVERIFY(f.form->Zlato->isChecked()); // the values after it still count
}

void TestSettings::saveAndLoadAgain()
{
    FakeSettings saved;
    {
        MainWindowFixture f;
        TForm1 &w = *f.form;
        w.FuSi1->trigger();
        w.Rucne1->trigger();
        w.Drevo[3]->trigger();
        w.Hrom->trigger();
        w.StrbrObrTrig->trigger();
        w.VvojHexagram->trigger();
        w.Rychle->trigger();
        w.Zlato->trigger();
        w.PuvodniClick(); // Arial CE 11, light on black; options back to their defaults
        w.Drevo[3]->trigger();
        w.Hrom->trigger();
        w.UlozNas1->trigger();
        saved = f.fake.settings;
    }
    QCOMPARE(saved.values.value("FontM1").toString(), QStringLiteral("Arial CE,11,0000,$00E8F4D0"));
    QCOMPARE(saved.values.value("ColorM1").toString(), QStringLiteral("clBlack"));
    QCOMPARE(saved.values.value("FS").toInt(), 1);
    QCOMPARE(saved.values.value("PC").toInt(), 0);
    QCOMPARE(saved.values.value("CisDr").toInt(), 4);
    QCOMPARE(saved.values.value("CisZv").toInt(), 5);
    QCOMPARE(saved.values.value("SMince").toInt(), 1);
    QVERIFY(saved.values.contains("F2Left") && saved.values.contains("F3Width"));
    MainWindowFixture g([&saved](FakePlatform &p) { p.settings = saved; });
    QVERIFY(g.form->FuSi1->isChecked() && g.form->Rucne1->isChecked());
    QVERIFY(g.form->Drevo[3]->isChecked() && g.form->Hrom->isChecked());
    QCOMPARE(Text(*g.form), QColor(208, 244, 232));
    QCOMPARE(g.form->RichEdit2->font().pointSize(), 11);
}

void TestSettings::blackOnBlackFontBecomesLight()
{
    MainWindowFixture f([](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values = {{"FontM1", "Arial,11,0000,clBlack"}, {"ColorM1", "clBlack"}};
    });
    QFont chosen(QStringLiteral("Courier"));
    chosen.setPointSize(16);
    f.fake.dialogs.fonts.enqueue(FontChoice{chosen, QColor(0, 0, 0)});
    f.form->Font1->trigger();
    QCOMPARE(f.form->RichEdit2->font().pointSize(), 16);
    QCOMPARE(f.form->editorFontColor(), kDefaultTextColor);
    QCOMPARE(f.windows->form2->RichEdit1->font().pointSize(), 16); // the viewer follows
    f.fake.dialogs.colors.enqueue(QColor(0, 0, 128));
    f.form->Barvapozad1->trigger();
    QCOMPARE(Back(*f.form), QColor(0, 0, 128));
    QCOMPARE(f.windows->form2->RichEdit1->palette().color(QPalette::Base), QColor(0, 0, 128));
    f.form->Systmovbarvy1->trigger();
    QCOMPARE(f.form->editorBackColor(), SystemColor(clWindowIdx));
}

void TestSettings::originalSettingsKeepArrangementAndWriteNothing()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.FuSi1->trigger();
    w.Rucne1->trigger();
    w.Puvodni->trigger();
    QVERIFY(w.FuSi1->isChecked() && w.Rucne1->isChecked());
    QVERIFY(!f.fake.settings.exists);
    QCOMPARE(Back(w), QColor(0, 0, 0));
    QCOMPARE(w.KxCollapsePanel1->pos(),
             QPoint(w.Image3->x() + w.Image3->width() - 20, w.Image3->y() + 10));
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
