// Printing through the real menu into a PDF, the margins dialog, and Esc.

#include "print/NTiskF8.h"
#include "support/MainWindowFixture.h"
#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestPrint : public QObject {
    Q_OBJECT
private slots:
    void printsToTheChosenPrinter();
    void cancelledDialogPrintsNothing();
    void escapeAbortsTheJob();
    void marginsKeptOnlyWithOk();
    void escapeInTheMarginsDialogAbortsTheJob();
    void linePitchIsCellPlusInternalLeading();
};

void TestPrint::printsToTheChosenPrinter()
{
    QTemporaryDir dir;
    MainWindowFixture f;
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many << QStringLiteral("Řádek %1 textu konzultace.").arg(i);
    f.form->RichEdit2->setPlainText(many.join(u'\n'));
    f.fake.dialogs.printToFile = dir.filePath(QStringLiteral("tisk.pdf"));
    f.form->Tisk->trigger();
    QFile pdf(f.fake.dialogs.printToFile);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    const qsizetype pages = bytes.count("/Type /Page") - bytes.count("/Type /Pages");
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages))); // 300 lines take several pages
    QVERIFY(!f.form->PrintingUnderway());
    QVERIFY(f.fake.dialogs.shown.isEmpty());
}

void TestPrint::cancelledDialogPrintsNothing()
{
    MainWindowFixture f;
    f.form->Tisk->trigger(); // the fake dialog cancels
    QVERIFY(!f.form->PrintingUnderway());
    QVERIFY(f.fake.dialogs.shown.isEmpty());
    f.form->PrintSetup1->trigger();
    QCOMPARE(f.fake.dialogs.printerSetups, 1);
}

void TestPrint::escapeAbortsTheJob()
{
    QTemporaryDir dir;
    MainWindowFixture f;
    f.form->RichEdit2->setPlainText(QString(QStringLiteral("text\n")).repeated(200));
    f.fake.dialogs.printToFile = dir.filePath(QStringLiteral("zrusit.pdf"));
    f.throwLine(7); // a cast under way: Esc must not cancel it while printing
    QTimer::singleShot(0, f.form, [&f] { QTest::keyClick(f.form->RichEdit2, Qt::Key_Escape); });
    f.form->Tisk->trigger();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{QStringLiteral("Tisk byl zrušen.")});
    QCOMPARE(int(f.state.casting.castLineCount), 1);
    QVERIFY(!f.form->PrintingUnderway());
}

void TestPrint::marginsKeptOnlyWithOk()
{
    MainWindowFixture f;
    TForm8 &dialog = *f.windows->form8;
    QCOMPARE(dialog.margins().left, 20);
    QCOMPARE(dialog.margins().top, 25);
    dialog.open();
    dialog.SpinEdit3->setValue(60);
    const int linesAt60 = int(dialog.lastPreview.ys.size());
    dialog.SpinEdit3->setValue(10);
    QVERIFY(dialog.lastPreview.ys.size() > linesAt60); // the preview follows every change
    dialog.Button2->click(); // "Storno"
    QCOMPARE(dialog.margins().top, 25);
    QVERIFY(!f.fake.settings.contains(QStringLiteral("SpE3")));
    dialog.open();
    dialog.SpinEdit1->setValue(5);
    dialog.Button1->click(); // "OK"
    QCOMPARE(f.fake.settings.values.value("SpE1").toInt(), 5);
    QCOMPARE(dialog.margins().left, 5);
}

void TestPrint::escapeInTheMarginsDialogAbortsTheJob()
{
    QTemporaryDir dir;
    MainWindowFixture f;
    TForm8 &dialog = *f.windows->form8;
    f.form->RichEdit2->setPlainText(QString(QStringLiteral("text\n")).repeated(200));
    f.fake.dialogs.printToFile = dir.filePath(QStringLiteral("okraje.pdf"));
    dialog.open();
    dialog.SpinEdit1->setValue(7); // printed with, not kept
    QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(dialog.SpinEdit1, Qt::Key_Escape); });
    dialog.Button3->click(); // "Tisk..."
    QCOMPARE(f.fake.dialogs.texts(), QStringList{QStringLiteral("Tisk byl zrušen.")});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.margins().left, 7);
    QVERIFY(!f.form->PrintingUnderway());
}

void TestPrint::linePitchIsCellPlusInternalLeading()
{
    QTemporaryDir dir;
    MainWindowFixture f;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(30);
    f.form->RichEdit2->setFont(font);
    f.form->RichEdit2->setPlainText(QStringLiteral("první\ndruhý\ntřetí"));
    f.fake.dialogs.printToFile = dir.filePath(QStringLiteral("rozestup.pdf"));
    f.form->Tisk->trigger();
    QVERIFY(QFile::exists(f.fake.dialogs.printToFile));
    // 30 pixels on the 96 dpi screen are 22.5 points: an em of 375 pixels at 1200 dpi.
    QCOMPARE(f.form->RichEdit2->logicalDpiY(), 96);
    QCOMPARE(f.form->printer().logicalDpiY(), 1200);
    QFont printed(QStringLiteral("DejaVu Sans"));
    printed.setPointSizeF(22.5);
    const QFontMetrics m(QFont(printed, &f.form->printer()), &f.form->printer());
    const int cell = m.ascent() + m.descent();
    const int internalLeading = cell - 375;
    QVERIFY(internalLeading > 0);
    QCOMPARE(f.form->printLineHeight(), cell + internalLeading);
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
