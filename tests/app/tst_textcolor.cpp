// "&Písmo..." chooses the colour of the text with the font: the colour goes
// to the editor and the book windows, is saved with the font in FontM1 and
// comes back at the next start. The dialog itself keeps what the user did
// not touch.

#include "support/MainWindowFixture.h"
#include "tools/Zendra12F2.h"
#include "ui/FontColorDialog.h"
#include <QApplication>
#include <QCheckBox>
#include <QFontComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {
QColor TextOf(const QPlainTextEdit *edit) { return edit->palette().color(QPalette::Text); }

QFont Arial(int points)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(points);
    return f;
}
} // namespace

class TestTextColor : public QObject {
    Q_OBJECT
private slots:
    void chosenColourIsAppliedSavedAndRead_data();
    void chosenColourIsAppliedSavedAndRead();
    void dialogKeepsWhatWasNotTouched();
    void dialogReturnsWhatWasChanged();
};

void TestTextColor::chosenColourIsAppliedSavedAndRead_data()
{
    QTest::addColumn<QString>("before");     // "stored" settings, or "desktop" colours first
    QTest::addColumn<QColor>("chosen");      // invalid: the dialog is cancelled
    QTest::addColumn<QString>("saved");      // FontM1 as "&Uložit nastavení" writes it
    QTest::addColumn<QColor>("shown");       // the editor's text after the choice and after a restart
    const QColor cancelled;
    QTest::newRow("a colour of one's own") << "stored" << QColor(18, 52, 86) << "Arial,11,0000,$00563412"
                                           << QColor(18, 52, 86);
    QTest::newRow("a named colour") << "stored" << QColor(255, 0, 0) << "Arial,11,0000,clRed" << QColor(255, 0, 0);
    QTest::newRow("black on black becomes light") << "stored" << QColor(0, 0, 0) << "Arial,11,0000,$00E8F4D0"
                                                  << QColor(208, 244, 232);
    QTest::newRow("cancelled: the stored colour stays") << "stored" << cancelled << "Arial,11,0000,clGreen"
                                                         << QColor(0, 128, 0);
    QTest::newRow("desktop colour left as it was stays the desktop's")
        << "desktop" << QColor() /* the offered one */ << "Arial,11,0000,clWindowText"
        << QApplication::palette().color(QPalette::Text);
}

void TestTextColor::chosenColourIsAppliedSavedAndRead()
{
    QFETCH(QString, before);
    QFETCH(QColor, chosen);
    QFETCH(QString, saved);
    QFETCH(QColor, shown);
    MainWindowFixture f([](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values = {{"FontM1", "Arial,11,0000,$00008000"}, {"ColorM1", "clBlack"}};
    });
    TForm1 &w = *f.form;
    if (before == u"desktop")
        w.Systmovbarvy1->trigger();
    const QColor offered = TextOf(w.RichEdit2);
    if (before == u"desktop")
        f.fake.dialogs.fonts.enqueue(FontChoice{Arial(11), offered});
    else if (chosen.isValid())
        f.fake.dialogs.fonts.enqueue(FontChoice{Arial(11), chosen});
    w.Font1->trigger();
    QCOMPARE(f.fake.dialogs.fontsOffered.size(), 1);
    QCOMPARE(f.fake.dialogs.fontsOffered.first().color, offered); // the dialog opens on the editor's colour
    QCOMPARE(TextOf(w.RichEdit2), shown);
    QCOMPARE(TextOf(f.windows->form2->RichEdit1), shown); // the viewer follows

    w.UlozNas1->trigger();
    QCOMPARE(f.fake.settings.values.value("FontM1").toString(), saved);
    const FakeSettings stored = f.fake.settings;
    MainWindowFixture g([&stored](FakePlatform &p) { p.settings = stored; });
    QCOMPARE(TextOf(g.form->RichEdit2), shown);
}

void TestTextColor::dialogKeepsWhatWasNotTouched()
{
    // A family this desktop lacks and a size in pixels, as the built-in look has.
    QFont initial(QStringLiteral("Arial CE"));
    initial.setPixelSize(18);
    initial.setItalic(true);
    FontColorDialog dialog({initial, QColor(208, 244, 232)}, QColor(0, 0, 0));
    const FontChoice c = dialog.choice();
    QCOMPARE(c.font.family(), QStringLiteral("Arial CE"));
    QCOMPARE(c.font.pixelSize(), 18);
    QVERIFY(c.font.italic() && !c.font.bold());
    QCOMPARE(c.color, QColor(208, 244, 232));
    QVERIFY(dialog.Italic->isChecked());
    // The sample shows the text as the editor will: its colour on the editor's background.
    QCOMPARE(dialog.Sample->palette().color(QPalette::WindowText), QColor(208, 244, 232));
    QCOMPARE(dialog.Sample->palette().color(QPalette::Window), QColor(0, 0, 0));
}

void TestTextColor::dialogReturnsWhatWasChanged()
{
    QFont initial(QStringLiteral("Arial CE"));
    initial.setPixelSize(18);
    FontColorDialog dialog({initial, QColor(208, 244, 232)}, QColor(0, 0, 0));
    dialog.show();
    QTest::mouseClick(dialog.Bold, Qt::LeftButton);
    QTest::mouseClick(dialog.StrikeOut, Qt::LeftButton);
    dialog.Size->setValue(20);
    dialog.setTextColor(QColor(0, 0, 128));
    QTest::mouseClick(dialog.OkButton, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const FontChoice c = dialog.choice();
    QVERIFY(c.font.bold() && c.font.strikeOut() && !c.font.underline() && !c.font.italic());
    QCOMPARE(c.font.pointSize(), 20);
    QCOMPARE(c.font.family(), QStringLiteral("Arial CE")); // the family was not touched
    QCOMPARE(c.color, QColor(0, 0, 128));
    QCOMPARE(dialog.Sample->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(dialog.Sample->font().pointSize(), 20);
}

QTEST_MAIN(TestTextColor)
#include "tst_textcolor.moc"
