#include "app/DesktopPlatform.h"
#include "app/ProgramState.h"
#include "app/StartupTrace.h"
#include "app/Zendra12F.h"
#include "app/ZendraWindows.h"
#include "files/RecoveryStore.h"
#include "reading/Corpus.h"
#include "ui/LogoF.h"
#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <QThread>
#include <QTimer>

namespace {

// The logo stays until the clock's seconds have ticked on twice: one to two seconds.
void ShowLogo(TForm7 &logo, const WallClock &clock)
{
    logo.show();
    const QDateTime start = clock.now();
    const qint64 startSecond = start.toSecsSinceEpoch();
    while (clock.now().toSecsSinceEpoch() < startSecond + 2) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(kProgramCaption);
    // The toolkit's own dialogs (files, colours, fonts, printing) speak Czech too.
    QTranslator toolkitCzech;
    if (toolkitCzech.load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitCzech);

    DesktopPlatform desktop;
    auto *logo = new TForm7;
    ShowLogo(*logo, desktop.clock);
    StartupMark("logo-end");

    ProgramState state;
    RecoveryStore recovery(RecoveryStore::DefaultFolder());
    Platform seams = desktop.seams();
    ZendraWindows windows(seams, state, InterpretationCorpus::Embedded());
    TForm1 &form1 = *windows.form1;
    desktop.dialogs.setParentWindow(&form1);
    desktop.fileDialogs.setParentWindow(&form1);
    form1.setLogoWindow(logo);
    form1.showMaximized();
    form1.setRecoveryStore(&recovery);
    // Consultations left by a crash are offered first; files handed over by
    // the desktop ("Open with", a double click) open once the main window is
    // up, each in a consultation of its own.
    // The logo goes first, or it would stand over a password prompt.
    const QStringList files = QApplication::arguments().mid(1);
    QPointer<QWidget> logoWindow = logo;
    QTimer::singleShot(0, &form1, [&form1, files, logoWindow] {
        if (!files.isEmpty() && logoWindow)
            logoWindow->hide();
        form1.OfferRecovery(); // steps the logo aside itself when it has something to ask
        for (const QString &file : files)
            form1.OpenFile(QFileInfo(file).absoluteFilePath());
    });
    return app.exec();
}
