#include "tools/FindS_F10.h"
#include "app/DocumentSlots.h"
#include "platform/Platform.h"
#include "app/Zendra12F.h"
#include "files/ConsultationFile.h"
#include "files/HesloF.h"
#include "tools/DriveList.h"
#include "tools/FileSearch.h"
#include "tools/FolderTree.h"
#include "tools/TextSearch.h"
#include "tools/WindowPlace.h"
#include "ui/Guidance.h"
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

namespace {

const QString &kCaption = kProgramCaption;
const QString kSearchingIn = QStringLiteral("Prohledává se: ");

} // namespace

TForm10::TForm10(TForm1 &main, const DocumentSlots &documents, Dialogs &dialogs, SettingsStore &settings)
    : QWidget(&main, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_main(main)
    , m_documents(documents)
    , m_dialogs(dialogs)
    , m_enumeration(std::make_unique<FileSearch::Enumeration>())
    , m_place(*this, main, ToolWindow::FindInFiles, settings)
{
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Hledat"));
    const QString installDir = settings.keyExists() && settings.contains(QStringLiteral("Dir"))
                                   ? settings.readString(QStringLiteral("Dir"))
                                   : QString();
    m_startFolder = FileSearch::StartFolder(installDir, QDir::currentPath(), QDir::homePath());
    createControls();
    // The drives and the start folder are listed at the first showing: each
    // file model runs a thread that stats whole folders and watches them,
    // work that a start which never searches files should not pay for.
    m_directory = QDir::cleanPath(QDir(m_startFolder).absolutePath());
    // A press in the editor puts the next search in the displayed text at the caret.
    m_main.RichEdit2->viewport()->installEventFilter(this);
    UpdateButtons();
}

TForm10::~TForm10()
{
    // The models' gatherer threads ask m_icons; they go before it does.
    delete m_dirModel;
    delete m_fileModel;
}

void TForm10::createControls()
{
    Label1 = new QLabel(QStringLiteral("Hledaný text:"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Label1->setBuddy(Edit1);
    CheckBox1 = new QCheckBox(QStringLiteral("Rozlišovat malá a VELKÁ písmena"), this);
    CheckBox2 = new QCheckBox(QStringLiteral("Pouze celá slova"), this);
    Label2 = new QLabel(QStringLiteral("Hledat v adresáři:"), this);

    DirectoryListBox1 = new QTreeView(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->header()->hide();
    DirectoryListBox1->setMinimumSize(240, 200);
    Label2->setBuddy(DirectoryListBox1);

    FileListBox1 = new QListView(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setMinimumSize(200, 200);

    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));

    Button1 = new QPushButton(kStartCaption, this);
    Button2 = new QPushButton(QStringLiteral("V zobrazeném textu >"), this);
    Button5 = new QPushButton(QStringLiteral("V dalším souboru >>"), this);
    Button4 = new QPushButton(QStringLiteral("Otevřít soubor"), this);
    Button3 = new QPushButton(QStringLiteral("Zavřít"), this);
    for (QPushButton *b : {Button1, Button2, Button3, Button4, Button5})
        b->setAutoDefault(false);
    Describe(Edit1, {}, QStringLiteral("Slovo nebo část textu, kterou hledáte v uložených konzultacích. Enter hledá."));
    Describe(CheckBox1, {}, QStringLiteral("Zaškrtnuto: najde jen text psaný stejně malými a velkými písmeny."));
    Describe(CheckBox2, {}, QStringLiteral("Zaškrtnuto: nenajde hledaný text uvnitř delšího slova."));
    Describe(DirectoryListBox1, QStringLiteral("Složka k prohledání"),
             QStringLiteral("Složka, v jejíchž souborech .txt a .txg se hledá."));
    Describe(FileListBox1, QStringLiteral("Soubory konzultací"),
             QStringLiteral("Konzultace ve vybrané složce. Dvojitým kliknutím se soubor otevře."));
    Describe(DriveComboBox1, QStringLiteral("Disk"),
             QStringLiteral("Disk nebo domovská složka, ve které leží složka k prohledání."));
    Describe(Button1, {}, QStringLiteral("Hledá v souborech vybrané složky od prvního; soubor s nalezeným textem "
                                         "otevře v novém okně konzultace."));
    Describe(Button5, {}, QStringLiteral("Pokračuje v hledání dalším souborem složky."));
    Describe(Button2, {}, QStringLiteral("Najde další výskyt hledaného textu v zobrazené konzultaci."));
    Describe(Button4, {}, QStringLiteral("Otevře soubor vybraný v seznamu."));
    Describe(Button3, {}, QStringLiteral("Zavře hledání v souborech."));
    SearchingLabel = new QLabel(this);
    SearchingLabel->setObjectName(QStringLiteral("SearchingLabel"));
    SearchingLabel->setMinimumWidth(200);
    SearchingLabel->setTextFormat(Qt::PlainText);

    auto *grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize); // a dialog-like window: no resizing, no maximising
    grid->addWidget(Label1, 0, 0, 1, 4);
    grid->addWidget(Edit1, 1, 0, 1, 4);
    grid->addWidget(CheckBox1, 2, 0, 1, 2);
    grid->addWidget(CheckBox2, 2, 2, 1, 2);
    grid->addWidget(Label2, 3, 0, 1, 4);
    grid->addWidget(DirectoryListBox1, 4, 0, 1, 2);
    grid->addWidget(FileListBox1, 4, 2, 1, 2);
    grid->addWidget(DriveComboBox1, 5, 0, 1, 2);
    grid->addWidget(Button4, 5, 2, 1, 2);
    grid->addWidget(Button1, 6, 0);
    grid->addWidget(Button5, 6, 1);
    grid->addWidget(Button2, 6, 2);
    grid->addWidget(Button3, 6, 3);
    grid->addWidget(SearchingLabel, 7, 0, 1, 4);

    connect(Button1, &QPushButton::clicked, this, &TForm10::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm10::Button2Click);
    connect(Button5, &QPushButton::clicked, this, &TForm10::Button5Click);
    connect(Button4, &QPushButton::clicked, this, &TForm10::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &QWidget::close);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm10::Edit1Change);
    // Enter goes on with an open search, or starts one.
    connect(Edit1, &QLineEdit::returnPressed, this, [this] {
        if (Button5->isEnabled())
            Button5->click();
        else if (Button1->isEnabled())
            Button1->click();
    });
    connect(FileListBox1, &QListView::doubleClicked, this, &TForm10::Button4Click);
    connect(DriveComboBox1, &QComboBox::activated, this, &TForm10::DriveComboBox1Change);
}

// The drives and the two folder models, made when a folder is first listed.
void TForm10::createModels()
{
    fillDrives();
    m_dirModel = new QFileSystemModel(this);
    m_dirModel->setIconProvider(&m_icons);
    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_dirModel->setRootPath(QString());
    new FolderTree(*DirectoryListBox1, *m_dirModel, [this] { return m_directory; },
                   [this] { DirectoryListBox1Change(); });
    m_fileModel = new QFileSystemModel(this);
    m_fileModel->setIconProvider(&m_icons);
    m_fileModel->setFilter(QDir::Files);
    m_fileModel->setNameFilters({FileSearch::kPlainMask, FileSearch::kProtectedMask});
    m_fileModel->setNameFilterDisables(false);
    FileListBox1->setModel(m_fileModel);
    connect(FileListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TForm10::FileListBox1Change);
    // The file list fills in the background; each change may enable the search.
    connect(m_fileModel, &QFileSystemModel::directoryLoaded, this, &TForm10::FileListBox1Change);
    connect(m_fileModel, &QFileSystemModel::rowsInserted, this, &TForm10::FileListBox1Change);
    connect(m_fileModel, &QFileSystemModel::rowsRemoved, this, &TForm10::FileListBox1Change);
    connect(m_fileModel, &QFileSystemModel::modelReset, this, &TForm10::FileListBox1Change);
}

void TForm10::fillDrives() { DriveList::Fill(*DriveComboBox1, m_icons); }

QString TForm10::directory() const { return m_directory; }

void TForm10::setDirectory(const QString &path)
{
    if (!m_dirModel)
        createModels();
    const QString folder = QDir::cleanPath(QDir(path).absolutePath());
    const int drive = DriveList::SelectFor(*DriveComboBox1, folder);
    const QString root = DriveComboBox1->itemData(drive, DriveList::kRootRole).toString();
    m_directory = folder;
    DirectoryListBox1->setRootIndex(m_dirModel->index(root));
    const QModelIndex at = m_dirModel->index(folder);
    for (QModelIndex up = at.parent(); up.isValid(); up = up.parent())
        DirectoryListBox1->expand(up);
    if (DirectoryListBox1->currentIndex() == at)
        DirectoryListBox1Change();
    else
        DirectoryListBox1->setCurrentIndex(at);
    DirectoryListBox1->scrollTo(at);
}

int TForm10::fileCount() const { return m_fileModel ? m_fileModel->rowCount(FileListBox1->rootIndex()) : 0; }

void TForm10::DriveComboBox1Change(int index)
{
    setDirectory(DriveComboBox1->itemData(index, DriveList::kRootRole).toString());
}

void TForm10::DirectoryListBox1Change()
{
    StopSearch();
    m_searchOpen = false;
    const QModelIndex current = DirectoryListBox1->currentIndex();
    if (current.isValid())
        m_directory = QDir::cleanPath(m_dirModel->filePath(current));
    const QString folder = m_directory;
    m_fileModel->setRootPath(folder);
    FileListBox1->setRootIndex(m_fileModel->index(folder));
    FileListBox1Change();
}

void TForm10::FileListBox1Change() { UpdateButtons(); }

void TForm10::Edit1Change()
{
    StopSearch();
    m_searchOpen = false;
    UpdateButtons();
}

// Every enabled state of the window, from the text, the file list and the search.
void TForm10::UpdateButtons()
{
    const bool text = !Edit1->text().trimmed().isEmpty();
    const bool idle = !m_running;
    Button1->setEnabled(idle && text && !m_searchOpen && fileCount() > 0);
    Button5->setEnabled(idle && text && m_searchOpen);
    Button2->setEnabled(idle && text);
    Button4->setEnabled(idle && FileListBox1->currentIndex().isValid()
                        && FileListBox1->currentIndex().parent() == FileListBox1->rootIndex());
}

bool TForm10::NineWindowsOpen()
{
    if (m_documents.openSlotCount < DocumentSlots::kMaxOpen)
        return false;
    Tell(kNineWindows);
    return true;
}

void TForm10::Tell(const QString &text)
{
    const bool busy = m_busy;
    SetBusy(false);
    m_dialogs.message(MessageKind::Information, kCaption, text);
    SetBusy(busy);
}

void TForm10::Button1Click()
{
    if (m_running || NineWindowsOpen())
        return;
    const QString trimmed = Edit1->text().trimmed();
    if (trimmed != Edit1->text())
        Edit1->setText(trimmed);
    m_enumeration->start(directory());
    RunSearch();
}

void TForm10::Button5Click()
{
    if (m_running || NineWindowsOpen())
        return;
    const QString trimmed = Edit1->text().trimmed();
    if (trimmed != Edit1->text())
        Edit1->setText(trimmed); // ends the search, as any change of the text does
    if (!m_enumeration->isOpen())
        return;
    RunSearch();
}

void TForm10::RunSearch()
{
    const QString phrase = Edit1->text();
    m_running = true;
    m_stop = false;
    m_searchOpen = false;
    UpdateButtons();
    m_sinceYield.start();
    for (;;) {
        const std::optional<QString> name = m_enumeration->next();
        if (!name) {
            // Both phases exhausted: the search is over.
            m_running = false;
            SetBusy(false);
            SearchingLabel->clear();
            UpdateButtons();
            Tell(kPhraseNotFound);
            return;
        }
        if (!KeepGoing(*name))
            break;
        const FileOutcome outcome = SearchOneFile(*name, phrase);
        if (m_stop)
            break;
        if (outcome == FileOutcome::Abort) {
            m_running = false;
            close();
            break;
        }
        if (outcome == FileOutcome::Match) {
            m_running = false;
            SetBusy(false);
            SearchingLabel->clear();
            OpenMatch(QDir(m_enumeration->folder()).filePath(*name), phrase);
            return;
        }
    }
    m_running = false;
    SetBusy(false);
    SearchingLabel->clear();
    UpdateButtons();
}

// Between files: now and then the window shows where it is and lets the
// user in. False when the search has been stopped meanwhile.
bool TForm10::KeepGoing(const QString &name)
{
    if (m_sinceYield.elapsed() < yieldIntervalMs)
        return !m_stop;
    SearchingLabel->setText(kSearchingIn + name);
    SetBusy(true);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    m_sinceYield.restart();
    return !m_stop;
}

void TForm10::SetBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TForm10::StopSearch()
{
    if (m_running)
        m_stop = true;
    m_enumeration->end();
}

TForm10::FileOutcome TForm10::SearchOneFile(const QString &name, const QString &phrase)
{
    const QString path = QDir(m_enumeration->folder()).filePath(name);
    const std::optional<QByteArray> bytes = FileSearch::ReadCandidateFile(path);
    if (!bytes)
        return FileOutcome::NoMatch; // vanished, unreadable, a folder: no match
    QString text;
    if (ConsultationFile::IsPlainName(name)) {
        text = FileSearch::PlainFileText(*bytes);
    } else {
        bool abort = false;
        std::optional<QString> opened = OpenProtected(path, *bytes, abort);
        if (!opened)
            return abort ? FileOutcome::Abort : FileOutcome::NoMatch;
        text = std::move(*opened);
    }
    FilesFindPos = int(FileSearch::FirstMatch(text, phrase, {CheckBox1->isChecked(), CheckBox2->isChecked()}));
    return FilesFindPos >= 0 ? FileOutcome::Match : FileOutcome::NoMatch;
}

QString TForm10::AskKey(const QString &path, int &result)
{
    result = TPasswordDlg::mrCancel;
    TPasswordDlg *dialog = m_main.passwordDialog();
    if (!dialog)
        return QString();
    const bool busy = m_busy;
    SetBusy(false);
    SearchingLabel->setText(kSearchingIn + QFileInfo(path).fileName());
    const QString entry = dialog->AskFileSearchPassword(path, &result);
    SetBusy(busy);
    return entry;
}

// fileKey first; the user is asked when it is empty or does not fit, and a
// key that fits stays for the next protected files.
std::optional<QString> TForm10::OpenProtected(const QString &path, const QByteArray &stored, bool &abort)
{
    int result = TPasswordDlg::mrCancel;
    if (fileKey.isEmpty()) {
        fileKey = AskKey(path, result);
        if (fileKey.isEmpty()) {
            abort = result == TPasswordDlg::mrAbort;
            return std::nullopt;
        }
    }
    for (;;) {
        std::optional<QString> text = FileSearch::ProtectedFileText(stored, fileKey);
        if (text)
            return text;
        Tell(FileSearch::kWrongKeyIn + QDir::toNativeSeparators(path));
        const QString entry = AskKey(path, result);
        if (entry.isEmpty()) {
            abort = result == TPasswordDlg::mrAbort;
            return std::nullopt;
        }
        fileKey = entry;
    }
}

void TForm10::OpenMatch(const QString &path, const QString &phrase)
{
    m_main.OpenFile(path, &fileKey);
    // Opened now, or open already and switched to: the match is selected there.
    const int slot = m_documents.currentSlot;
    if (slot >= 1 && slot <= DocumentSlots::kMaxOpen && m_documents[slot].fileName == path) {
        QPlainTextEdit *editor = m_main.RichEdit2;
        const int end = editor->document()->characterCount() - 1;
        QTextCursor c = editor->textCursor();
        c.setPosition(qMin(FilesFindPos, end));
        c.setPosition(qMin(FilesFindPos + int(phrase.size()), end), QTextCursor::KeepAnchor);
        editor->setTextCursor(c);
        m_main.activateWindow();
        editor->setFocus();
    }
    m_searchOpen = true;
    UpdateButtons();
}

void TForm10::Button2Click()
{
    QPlainTextEdit *editor = m_main.RichEdit2;
    const QString phrase = Edit1->text();
    // With no current match the search starts at the beginning of the text.
    qsizetype from = 0;
    if (FilesFindPos != -1) {
        FilesFindPos = editor->textCursor().selectionStart();
        from = FilesFindPos + phrase.size();
    }
    const qsizetype at = FindPhrase(editor->toPlainText(), phrase, from, {CheckBox1->isChecked(), CheckBox2->isChecked()});
    FilesFindPos = int(at);
    editor->setFocus();
    if (at < 0) {
        Tell(kPhraseNotFound);
        return;
    }
    QTextCursor c = editor->textCursor();
    c.setPosition(int(at));
    c.setPosition(int(at + phrase.size()), QTextCursor::KeepAnchor);
    editor->setTextCursor(c);
}

void TForm10::Button4Click()
{
    const QModelIndex file = FileListBox1->currentIndex();
    if (!file.isValid() || m_running)
        return;
    m_main.OpenFile(m_fileModel->filePath(file));
}

void TForm10::FormClose()
{
    StopSearch();
    fileKey.clear();
    m_searchOpen = false;
    Button1->setText(kStartCaption);
    SetBusy(false);
    SearchingLabel->clear();
    UpdateButtons();
}

void TForm10::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TForm10::showEvent(QShowEvent *event)
{
    m_place.showing();
    QWidget::showEvent(event);
    if (!m_dirModel)
        setDirectory(m_directory);
    Edit1Change();
}

void TForm10::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_running) {
        StopSearch();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TForm10::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && watched == m_main.RichEdit2->viewport())
        FilesFindPos = 0;
    return QWidget::eventFilter(watched, event);
}
