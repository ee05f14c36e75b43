// Where the tool windows stand: stored places read over their defaults,
// written only for windows that really had one, and kept inside a screen
// that exists, whatever screen they were saved on.

#include "support/MainWindowFixture.h"
#include "tools/FindKP_F9.h"
#include "tools/WindowPlace.h"
#include "tools/Zendra12F2.h"
#include "tools/Zendra12F3.h"
#include <QAction>
#include <QTest>

Q_DECLARE_METATYPE(QList<ScreenArea>)

namespace {
// A laptop screen with a panel along its bottom.
const QList<ScreenArea> kSmall = {{QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 770)}};
const QList<ScreenArea> kLarge = {{QRect(0, 0, 1600, 1000), QRect(0, 0, 1600, 1000)}};
// The primary screen and a second one standing left of it.
const QList<ScreenArea> kTwo = {{QRect(0, 0, 1600, 1000), QRect(0, 0, 1600, 970)},
                                {QRect(-1280, 0, 1280, 1024), QRect(-1280, 0, 1280, 1024)}};

using Values = QHash<QString, QVariant>;

std::unique_ptr<MainWindowFixture> Started(const Values &stored, const QList<ScreenArea> &screens)
{
    return std::make_unique<MainWindowFixture>([=](FakePlatform &p) {
        p.settings.exists = !stored.isEmpty();
        p.settings.values = stored;
        p.screens.screens = screens;
    });
}

QWidget *Show(MainWindowFixture &f, const QString &window)
{
    if (window == u"F2") {
        f.form->ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(5)));
        return f.windows->form2;
    }
    if (window == u"F3") {
        f.form->ObsahKP1->trigger();
        return f.windows->form3;
    }
    f.form->NajitKP1->trigger();
    return f.windows->form9;
}
} // namespace

class TestPlaces : public QObject {
    Q_OBJECT
private slots:
    void fitIntoScreens_data();
    void fitIntoScreens();
    void onlyPlacedWindowsAreSaved();
    void storedPlaces_data();
    void storedPlaces();
    void defaultsTakeTheMainWindowWithItsFrame();
    void originalSettingsPlaceWindowsNotShownYet();
};

void TestPlaces::fitIntoScreens_data()
{
    QTest::addColumn<QList<ScreenArea>>("screens");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("fitted");
    QTest::newRow("inside stays") << kSmall << QRect(100, 100, 400, 300) << QRect(100, 100, 400, 300);
    QTest::newRow("past the right and bottom edges") << kSmall << QRect(1000, 600, 580, 380)
                                                     << QRect(700, 390, 580, 380);
    QTest::newRow("larger than the area") << kSmall << QRect(0, 0, 2000, 900) << QRect(0, 0, 1280, 770);
    QTest::newRow("above and left of it") << kSmall << QRect(-50, -20, 300, 200) << QRect(0, 0, 300, 200);
    QTest::newRow("on no screen: the primary") << kTwo << QRect(3000, 3000, 300, 200)
                                               << QRect(1300, 770, 300, 200);
    QTest::newRow("on the second screen") << kTwo << QRect(-1000, 100, 400, 300) << QRect(-1000, 100, 400, 300);
    QTest::newRow("mostly on the second") << kTwo << QRect(-300, 100, 400, 300) << QRect(-400, 100, 400, 300);
    QTest::newRow("mostly on the primary") << kTwo << QRect(-100, 900, 400, 300) << QRect(0, 670, 400, 300);
}

void TestPlaces::fitIntoScreens()
{
    QFETCH(QList<ScreenArea>, screens);
    QFETCH(QRect, frame);
    QFETCH(QRect, fitted);
    QCOMPARE(FitIntoScreens(frame, screens), fitted);
}

void TestPlaces::onlyPlacedWindowsAreSaved()
{
    auto f = Started({}, kLarge);
    f->form->UlozNas1->trigger();
    for (const char *name : {"F2Left", "F2Width", "F3Left", "F3Height", "F9Left", "F9Top", "F10Left"})
        QVERIFY2(!f->fake.settings.values.contains(QLatin1String(name)), name);
    QVERIFY(f->fake.settings.values.contains(QStringLiteral("FontM1")));

    QWidget *viewer = Show(*f, QStringLiteral("F2"));
    viewer->move(120, 130);
    viewer->resize(500, 400);
    f->form->UlozNas1->trigger();
    const Values &v = f->fake.settings.values;
    QCOMPARE(QRect(v["F2Left"].toInt(), v["F2Top"].toInt(), v["F2Width"].toInt(), v["F2Height"].toInt()),
             QRect(120, 130, 500, 400));
    QVERIFY(!v.contains(QStringLiteral("F3Left")) && !v.contains(QStringLiteral("F9Left")));
}

void TestPlaces::storedPlaces_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<Values>("stored");
    QTest::addColumn<QList<ScreenArea>>("screens");
    QTest::addColumn<QRect>("expected"); // frame position and client size; empty size: its own
    QTest::newRow("viewer as saved") << "F2" << Values{{"F2Left", 40}, {"F2Top", 50}, {"F2Width", 400}, {"F2Height", 300}}
                                     << kLarge << QRect(40, 50, 400, 300);
    QTest::newRow("viewer saved on a larger screen")
        << "F2" << Values{{"F2Left", 1000}, {"F2Top", 600}, {"F2Width", 580}, {"F2Height", 380}} << kSmall
        << QRect(696, 386, 580, 380);
    QTest::newRow("viewer written before it was ever shown")
        << "F2" << Values{{"F2Left", 0}, {"F2Top", 0}, {"F2Width", 100}, {"F2Height", 30}} << kLarge
        << QRect(465, -1, 815, 367); // the defaults; -1: not compared
    QTest::newRow("contents taller than the screen")
        << "F3" << Values{{"F3Left", 100}, {"F3Top", 700}, {"F3Width", 400}, {"F3Height", 900}} << kSmall
        << QRect(100, 0, 400, 766);
    QTest::newRow("find in book on a screen left of the primary")
        << "F9" << Values{{"F9Left", -600}, {"F9Top", 200}} << kTwo << QRect(-600, 200, 0, 0);
    QTest::newRow("find in book on no screen") << "F9" << Values{{"F9Left", 5000}, {"F9Top", 200}} << kSmall
                                               << QRect(-1, 200, 0, 0);
}

void TestPlaces::storedPlaces()
{
    QFETCH(QString, window);
    QFETCH(Values, stored);
    QFETCH(QList<ScreenArea>, screens);
    QFETCH(QRect, expected);
    auto f = Started(stored, screens);
    QWidget *w = Show(*f, window);
    QVERIFY(w->isVisible());
    // The whole frame, title bar included, on a screen that exists.
    bool inside = false;
    for (const ScreenArea &s : screens)
        inside = inside || s.available.contains(w->frameGeometry());
    QVERIFY2(inside, qPrintable(QStringLiteral("%1,%2 %3x%4").arg(w->frameGeometry().x()).arg(w->frameGeometry().y())
                                    .arg(w->frameGeometry().width()).arg(w->frameGeometry().height())));
    if (expected.x() != -1)
        QCOMPARE(w->x(), expected.x());
    if (expected.y() != -1)
        QCOMPARE(w->y(), expected.y());
    if (!expected.size().isEmpty())
        QCOMPARE(w->size(), expected.size());
}

void TestPlaces::defaultsTakeTheMainWindowWithItsFrame()
{
    auto f = Started({}, kLarge);
    // The fixture's main window: client 1280 × 800, frame 2 pixels on every side: 804 high outside.
    QCOMPARE(f->form->frameGeometry().height(), 804);
    QWidget *contents = Show(*f, QStringLiteral("F3"));
    QCOMPARE(QRect(contents->pos(), contents->size()), QRect(562, 15, 571, 774));
    QCOMPARE(Show(*f, QStringLiteral("F9"))->pos(), QPoint(9, 452));
}

void TestPlaces::originalSettingsPlaceWindowsNotShownYet()
{
    auto f = Started({}, kLarge);
    f->form->Puvodni->trigger();
    QWidget *contents = Show(*f, QStringLiteral("F3"));
    QCOMPARE(contents->pos(), QPoint(562, 28));
    QCOMPARE(contents->width(), 571);
    QCOMPARE(Show(*f, QStringLiteral("F9"))->pos(), QPoint(9, 452));
    f->form->UlozNas1->trigger(); // placed, so saved, although never moved by hand
    QCOMPARE(f->fake.settings.values.value(QStringLiteral("F3Top")).toInt(), 28);
}

QTEST_MAIN(TestPlaces)
#include "tst_places.moc"
