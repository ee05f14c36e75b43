// zendra-showcase about|logo [WOOD]: the about box or the logo window on a
// wooden table, to look at them without going through the main window.

#include "platform/Platform.h"
#include "ui/AssetCatalogue.h"
#include "ui/HelpGuide.h"
#include "ui/LogoF.h"
#include "ui/TileImage.h"
#include "ui/Zendra12F4.h"
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace {

class ShowcaseShell : public Shell {
public:
    bool openUrl(const QString &url) override { return QDesktopServices::openUrl(QUrl(url)); }
};

class ShowcaseDialogs : public Dialogs {
public:
    void message(MessageKind, const QString &caption, const QString &text) override
    {
        QMessageBox::warning(nullptr, caption, text);
    }
    Answer askYesNoCancel(const QString &, const QString &) override { return Answer::Cancel; }
    Answer askYesNo(const QString &, const QString &) override { return Answer::No; }
    std::optional<QColor> chooseColor(const QColor &) override { return std::nullopt; }
    std::optional<QFont> chooseFont(const QFont &) override { return std::nullopt; }
    bool choosePrinter(QPrinter &) override { return false; }
    void printerSetup(QPrinter &) override {}
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString what = args.value(1, QStringLiteral("about"));
    TTileImage table;
    table.setPicture(Assets::Picture(QStringLiteral("Stul%1").arg(args.value(2, QStringLiteral("2")))));
    table.setWindowTitle(QStringLiteral("Zendra"));
    table.showMaximized();
    ShowcaseShell shell;
    ShowcaseDialogs dialogs;
    TForm4 about(shell, dialogs);
    about.setGuideFolder(HelpGuide::Folder(QApplication::applicationDirPath()));
    TForm7 logo;
    if (what == u"logo")
        logo.show();
    else
        about.show();
    return app.exec();
}
