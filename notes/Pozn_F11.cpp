#include "notes/Pozn_F11.h"
#include "platform/Platform.h"
#include "app/Zendra12F.h"
#include "files/CodePage.h"
#include "files/ConsultationFile.h"
#include "files/EditorText.h"
#include "ui/AssetCatalogue.h"
#include "ui/Guidance.h"
#include <QBuffer>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QStyleOptionButton>
#include <QVBoxLayout>

namespace {
const QString kCaption = QStringLiteral("Poznámky");
constexpr int kStripHeight = 22;

// Notes keep CR LF between lines in the file and '\n' in the editor.
QByteArray NoteBytes(const QString &text)
{
    return CodePage::Encode(QString(text).replace(u'\n', QLatin1String("\r\n")));
}

QString UnreadableMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Soubor poznámek %1 nelze přečíst: %2\n"
                          "Dokud nebude opraven nebo přesunut jinam, poznámky nelze ukládat.")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString NoteText(QByteArrayView bytes)
{
    QString text = CodePage::Decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}
} // namespace

TNoteSaveButton::TNoteSaveButton(QWidget *parent) : QWidget(parent)
{
    setFixedSize(21, 19);
    setFocusPolicy(Qt::TabFocus);
    Describe(this, QStringLiteral("Uložit poznámky"), QStringLiteral("Uložit poznámky "),
             QStringLiteral("Uloží poznámku k hexagramu. Dokud jsou v ní neuložené změny, je tlačítko "
                            "vystouplé. Klávesa Ctrl+S."));
}

void TNoteSaveButton::setRaised(bool raised)
{
    m_raised = raised;
    update();
}

void TNoteSaveButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_raised || m_held) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.state |= m_held ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &p, this);
    }
    const QImage disk = Assets::Picture(QStringLiteral("Disketa"), devicePixelRatioF());
    if (!isEnabled()) // a notes file that cannot be read: nothing can be saved
        p.setOpacity(0.35);
    const QRect target = rect().adjusted(2, 2, -2, -2);
    p.drawImage(target.translated(m_held ? 1 : 0, m_held ? 1 : 0), disk);
    DrawFocusFrame(p, this, rect().adjusted(1, 1, -1, -1));
}

void TNoteSaveButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
        emit clicked();
    else
        QWidget::keyPressEvent(event);
}

void TNoteSaveButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_held = true;
        update();
    }
}

void TNoteSaveButton::mouseMoveEvent(QMouseEvent *event)
{
    // Leaving the button while held lets it go without saving.
    if (m_held && !rect().contains(event->position().toPoint())) {
        m_held = false;
        update();
    }
}

void TNoteSaveButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_held)
        return;
    m_held = false;
    update();
    emit clicked();
}

TForm11::TForm11(TForm1 &main, Dialogs &dialogs)
    : QWidget(&main, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowCloseButtonHint),
      m_main(main), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(kCaption);
    setGeometry(246, 154, 348, 240); // the 120 ppi design at 96 dpi
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *strip = new QWidget(this);
    strip->setFixedHeight(kStripHeight);
    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(2, 1, 4, 1);
    stripLayout->addStretch();
    SaveButton = new TNoteSaveButton(strip);
    SaveButton->setObjectName(QStringLiteral("SaveButton"));
    stripLayout->addWidget(SaveButton);
    layout->addWidget(strip);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setTabChangesFocus(true); // Tab reaches the save button
    Describe(Memo1, QStringLiteral("Poznámka k hexagramu"), QString(),
             QStringLiteral("Vaše poznámka k tomuto hexagramu. Uloží ji Ctrl+S nebo tlačítko s disketou."));
    Memo1->installEventFilter(this);
    layout->addWidget(Memo1);
    HKStreams1.setCompressed(false);
    HKStreams1.setEncrypted(false);
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TForm11::Memo1Change);
    connect(SaveButton, &TNoteSaveButton::clicked, this, &TForm11::SaveButtonClick);
}

QString TForm11::notesPath() const
{
    QString folder = m_main.notesFolder();
    if (folder.isEmpty()) // nobody set the folder: the user's own data folder
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(kFileName);
}

void TForm11::takeLook()
{
    QFont font = Memo1->font();
    const QFont editor = m_main.RichEdit2->font();
    font.setBold(editor.bold());
    font.setItalic(editor.italic());
    font.setUnderline(editor.underline());
    font.setStrikeOut(editor.strikeOut());
    if (editor.pixelSize() > 0)
        font.setPixelSize(editor.pixelSize());
    else
        font.setPointSizeF(editor.pointSizeF());
    Memo1->setFont(font);
    Memo1->setPalette(m_main.RichEdit2->palette());
}

void TForm11::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm11::FormShow()
{
    takeLook();
    NotesReady = false;
    LoadFailed = false;
    m_main.setNotesOpen(true);
    const QString path = notesPath();
    const bool exists = QFileInfo::exists(path);
    Memo1->blockSignals(true);
    Memo1->clear();
    if (exists) {
        QString reason;
        try {
            HKStreams1.LoadFromFile(path);
        } catch (const ECorruptFile &e) {
            reason = e.message();
        } catch (const EStreamError &e) {
            reason = e.reason();
        }
        LoadFailed = !reason.isNull();
        Memo1->setReadOnly(LoadFailed);
        SaveButton->setEnabled(!LoadFailed);
        if (LoadFailed) {
            // A note typed now could not be kept: say so at once and take no
            // typing, rather than refuse the save later.
            Memo1->blockSignals(false);
            m_dialogs.message(MessageKind::Error, kProgramCaption, UnreadableMessage(path, reason));
            return;
        }
    } else {
        Memo1->setReadOnly(false);
        SaveButton->setEnabled(true);
    }
    QBuffer note;
    note.open(QIODevice::ReadWrite);
    const QByteArray name = NoteName.toLatin1();
    if (exists && HKStreams1.Names().contains(name)) {
        HKStreams1.GetStream(name, note);
        Memo1->setPlainText(NoteText(note.data()));
    } else {
        Memo1->setPlainText(NoteDefaultText + u'\n');
        QBuffer fresh;
        fresh.setData(NoteBytes(EditorText::Of(*Memo1->document())));
        fresh.open(QIODevice::ReadOnly);
        HKStreams1.AddStream(name, &fresh);
    }
    Memo1->blockSignals(false);
    Memo1->moveCursor(QTextCursor::End);
    activateWindow();
    Memo1->setFocus();
    NotesModified = false;
    SaveButton->setRaised(false);
    NotesReady = true;
}

void TForm11::Memo1Change()
{
    if (NotesReady && !NotesModified) {
        NotesModified = true;
        SaveButton->setRaised(true);
    }
}

bool TForm11::SaveNote()
{
    if (LoadFailed) {
        // Saving would replace the unreadable file with this one note.
        m_dialogs.message(MessageKind::Error, kProgramCaption,
                          QStringLiteral("Soubor poznámek %1 nelze přečíst. Aby nepřišel o ostatní poznámky, "
                                         "poznámka do něj uložena nebude.")
                              .arg(QDir::toNativeSeparators(notesPath())));
        return false;
    }
    const QString text = EditorText::Of(*Memo1->document());
    const QString lost = ConsultationFile::UnrepresentableCharacters({text});
    if (!lost.isEmpty()
        && m_dialogs.askYesNo(kProgramCaption,
                              QStringLiteral("Poznámka obsahuje znaky, které soubor nemůže uchovat: %1\n"
                                             "Uložit je jako otazníky?").arg(lost))
               != Answer::Yes)
        return false;
    QBuffer note;
    note.setData(NoteBytes(text));
    note.open(QIODevice::ReadOnly);
    HKStreams1.AddStream(NoteName.toLatin1(), &note);
    try {
        QDir().mkpath(QFileInfo(notesPath()).absolutePath());
        HKStreams1.SaveToFile(notesPath());
    } catch (const EStreamError &e) {
        m_dialogs.message(MessageKind::Error, kProgramCaption,
                          QStringLiteral("Soubor poznámek %1 nelze uložit: %2")
                              .arg(QDir::toNativeSeparators(notesPath()), e.reason()));
        return false;
    }
    NotesModified = false;
    SaveButton->setRaised(false);
    return true;
}

void TForm11::SaveButtonClick()
{
    // Each save through the button changes the caption, so the user sees it
    // happen; a failed save must not look like one.
    if (SaveNote())
        setWindowTitle(windowTitle() == kCaption + u' ' ? kCaption : kCaption + u' ');
}

bool TForm11::FormCloseQuery()
{
    if (!NotesModified)
        return true;
    switch (m_dialogs.askYesNoCancel(QStringLiteral("Potvrzení"),
                                     QStringLiteral("Poznámka není uložena. Checete ji uložit?"))) {
    case Answer::Yes:
        return SaveNote();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void TForm11::CloseAnswered()
{
    m_answered = true;
    close();
    m_answered = false;
}

void TForm11::closeEvent(QCloseEvent *event)
{
    if (!m_answered && !FormCloseQuery()) {
        event->ignore();
        return;
    }
    m_main.setNotesOpen(false);
    HKStreams1.ClearStreams();
    Memo1->blockSignals(true);
    Memo1->clear();
    Memo1->blockSignals(false);
    NotesModified = false;
    NotesReady = false;
    SaveButton->setRaised(false);
    event->accept();
}

bool TForm11::eventFilter(QObject *watched, QEvent *event)
{
    // Ctrl+S in the note saves the note: the note takes the key before the
    // main window's "&Uložit", which would save the consultation instead.
    const bool saveKey = (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
                         && static_cast<QKeyEvent *>(event)->keyCombination()
                                == QKeyCombination(Qt::ControlModifier, Qt::Key_S);
    if (watched == Memo1 && saveKey) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            SaveButtonClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
