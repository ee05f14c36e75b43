#include "app/DesktopPlatform.h"
#include "app/SoundModule.h"
#include "ui/AssetCatalogue.h"
#include "ui/FontColorDialog.h"
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QColorDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QMessageBox>
#include <QPushButton>
#include <QLibrary>
#include <QTemporaryDir>
#include <QUrl>

namespace {

QMessageBox::Icon IconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

bool StaysOnTop(const QWidget *w) { return w->windowFlags() & Qt::WindowStaysOnTopHint; }

// A box under one of our windows that stay on top (the notes, find in book,
// the margins dialog, the logo at start-up) could not be seen or answered:
// it stays on top too.
void KeepInFront(QWidget *dialog)
{
    for (const QWidget *w : QApplication::topLevelWidgets()) {
        if (w != dialog && w->isVisible() && StaysOnTop(w)) {
            dialog->setWindowFlag(Qt::WindowStaysOnTopHint);
            return;
        }
    }
}

Answer Ask(QWidget *parent, const QString &caption, const QString &text, bool withCancel)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    KeepInFront(&box);
    QPushButton *yes = box.addButton(QStringLiteral("&Ano"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&Ne"), QMessageBox::NoRole);
    QPushButton *cancel = withCancel ? box.addButton(QStringLiteral("Storno"), QMessageBox::RejectRole) : nullptr;
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel ? static_cast<QAbstractButton *>(cancel) : no);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no)
        return Answer::No;
    return withCancel ? Answer::Cancel : Answer::No;
}

} // namespace

QWidget *DialogOwner(QWidget *mainWindow)
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    // Nothing is active yet at start-up, while the logo is up.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && StaysOnTop(w))
            return w;
    return mainWindow;
}

QWidget *MessageBoxDialogs::owner() const { return DialogOwner(m_parent); }

void MessageBoxDialogs::message(MessageKind kind, const QString &caption, const QString &text)
{
    QMessageBox box(IconOf(kind), caption, text, QMessageBox::NoButton, owner());
    KeepInFront(&box);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

Answer MessageBoxDialogs::askYesNoCancel(const QString &caption, const QString &text)
{
    return Ask(owner(), caption, text, true);
}

Answer MessageBoxDialogs::askYesNo(const QString &caption, const QString &text)
{
    return Ask(owner(), caption, text, false);
}

bool MessageBoxDialogs::askChoice(const QString &caption, const QString &text, const QString &first,
                                  const QString &second)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, m_parent);
    QPushButton *one = box.addButton(first, QMessageBox::AcceptRole);
    box.addButton(second, QMessageBox::DestructiveRole);
    box.setDefaultButton(one);
    // No escape button: Esc and the title bar's close do nothing, so the
    // choice is never made by a stray key.
    box.exec();
    return box.clickedButton() == one;
}

std::optional<QColor> MessageBoxDialogs::chooseColor(const QColor &initial)
{
    const QColor c = QColorDialog::getColor(initial, owner(), QStringLiteral("Barva"));
    return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
}

std::optional<FontChoice> MessageBoxDialogs::chooseFont(const FontChoice &initial, const QColor &background)
{
    FontColorDialog dialog(initial, background, owner());
    KeepInFront(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

bool MessageBoxDialogs::choosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, owner());
    KeepInFront(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

void MessageBoxDialogs::printerSetup(QPrinter &printer)
{
    QPageSetupDialog dialog(&printer, owner());
    KeepInFront(&dialog);
    dialog.exec();
}

QString QtFileDialogs::openFileName(const QString &caption, const QString &dir, const QString &filters,
                                    QString *selectedFilter)
{
    return QFileDialog::getOpenFileName(DialogOwner(m_parent), caption, dir, filters, selectedFilter);
}

QString QtFileDialogs::saveFileName(const QString &caption, const QString &dir, const QString &filters,
                                    QString *selectedFilter)
{
    // The caller adds the extension and asks about overwriting in Czech.
    return QFileDialog::getSaveFileName(DialogOwner(m_parent), caption, dir, filters, selectedFilter,
                                        QFileDialog::DontConfirmOverwrite);
}

MultimediaSound::MultimediaSound(const QStringList &moduleFolders) : m_moduleFolders(moduleFolders) {}
MultimediaSound::~MultimediaSound() = default;

bool MultimediaSound::play(const QString &waveName)
{
    const QByteArray wave = Assets::Wave(waveName);
    if (wave.isEmpty())
        return false;
    if (!m_dir) {
        m_dir = std::make_unique<QTemporaryDir>();
        if (!m_dir->isValid())
            return false;
    }
    const QString path = m_dir->filePath(waveName.toLower() + QStringLiteral(".wav"));
    if (!QFile::exists(path)) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(wave) != wave.size())
            return false;
    }
    WaveFilePlayer *output = player();
    if (!output)
        return false;
    output->play(path);
    return true;
}

WaveFilePlayer *MultimediaSound::player()
{
    if (m_player || m_loadTried)
        return m_player.get();
    m_loadTried = true;
    QStringList folders = m_moduleFolders;
    if (folders.isEmpty()) {
        // Beside the program when it runs from the build folder, else where it is installed.
        const QString here = QCoreApplication::applicationDirPath();
        folders = {here, QDir(here).filePath(QStringLiteral(ZENDRA_SOUND_FROM_BIN))};
    }
    for (const QString &folder : std::as_const(folders)) {
        QLibrary module(QDir(folder).filePath(QStringLiteral("zendra-sound")));
        if (auto create = reinterpret_cast<CreateWaveFilePlayer>(module.resolve(kCreateWaveFilePlayer))) {
            m_player.reset(create());
            break; // the module stays loaded: QLibrary does not unload on destruction
        }
    }
    return m_player.get();
}

bool DesktopShell::openUrl(const QString &url) { return QDesktopServices::openUrl(QUrl(url)); }

QList<ScreenArea> DesktopScreens::areas() const
{
    QList<ScreenArea> out;
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (primary)
        out.append({primary->geometry(), primary->availableGeometry()});
    for (const QScreen *s : QGuiApplication::screens())
        if (s != primary)
            out.append({s->geometry(), s->availableGeometry()});
    return out;
}
