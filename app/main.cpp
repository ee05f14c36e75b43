#include "app/DesktopPlatform.h"
#include "app/ProgramState.h"
#include "app/Zendra12F.h"
#include "app/ZendraWindows.h"
#include "reading/Corpus.h"
#include "ui/LogoF.h"
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QThread>

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

    ProgramState state;
    Platform seams = desktop.seams();
    ZendraWindows windows(seams, state, InterpretationCorpus::Embedded());
    TForm1 &form1 = *windows.form1;
    desktop.dialogs.setParentWindow(&form1);
    desktop.fileDialogs.setParentWindow(&form1);
    form1.setLogoWindow(logo);
    form1.showMaximized();
    return app.exec();
}
