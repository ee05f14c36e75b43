#include "tools/JournalWindow.h"
#include "app/Zendra12F.h"
#include "files/HesloF.h"
#include "platform/Platform.h"
#include "tools/DriveList.h"
#include "tools/FileSearch.h"
#include "tools/FolderTree.h"
#include "tools/JournalStats.h"
#include "ui/Guidance.h"
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("Deník konzultací");
} // namespace

JournalWindow::JournalWindow(TForm1 &main, Dialogs &dialogs, SettingsStore &settings)
    : QWidget(&main, Qt::Window)
    , m_main(main)
    , m_dialogs(dialogs)
    , m_place(*this, main, ToolWindow::Journal, settings)
{
    setObjectName(QStringLiteral("JournalWindow"));
    setWindowTitle(kTitle);
    const QString installDir = settings.keyExists() && settings.contains(QStringLiteral("Dir"))
                                   ? settings.readString(QStringLiteral("Dir"))
                                   : QString();
    m_startFolder = FileSearch::StartFolder(installDir, QDir::currentPath(), QDir::homePath());
    m_filter.setSourceModel(&m_model);
    m_filter.setSortCaseSensitivity(Qt::CaseInsensitive);
    createControls();
    DriveList::Fill(*DriveBox, m_icons);
    connect(&m_reader, &JournalReader::listed, this, &JournalWindow::Listed);
    connect(&m_reader, &JournalReader::batch, this, &JournalWindow::Batch);
    connect(&m_reader, &JournalReader::finished, this, &JournalWindow::Finished);
    UpdateControls();
}

JournalWindow::~JournalWindow()
{
    // Nothing the reading threads still send may reach a window going away.
    m_reader.cancel();
    disconnect(&m_reader, nullptr, this, nullptr);
    // The folder model's gatherer asks m_icons; it goes first.
    delete m_dirModel;
}

void JournalWindow::createControls()
{
    // The folder, as find in files chooses it.
    auto *folderPanel = new QWidget(this);
    auto *folderLabel = new QLabel(QStringLiteral("&Složka s konzultacemi:"), folderPanel);
    DriveBox = new QComboBox(folderPanel);
    DriveBox->setObjectName(QStringLiteral("DriveBox"));
    m_dirModel = new QFileSystemModel(this);
    m_dirModel->setIconProvider(&m_icons);
    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_dirModel->setRootPath(QString());
    FolderView = new QTreeView(folderPanel);
    FolderView->setObjectName(QStringLiteral("FolderView"));
    new FolderTree(*FolderView, *m_dirModel, [this] { return m_folder; }, [this] { FolderViewChange(); });
    FolderView->setMinimumWidth(170);
    folderLabel->setBuddy(FolderView);
    SubfoldersBox = new QCheckBox(QStringLiteral("Včetně &podsložek"), folderPanel);
    SubfoldersBox->setObjectName(QStringLiteral("SubfoldersBox"));
    auto *left = new QVBoxLayout(folderPanel);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(folderLabel);
    left->addWidget(DriveBox);
    left->addWidget(FolderView, 1);
    left->addWidget(SubfoldersBox);

    // The filter stands above both pages: the statistics count what the list shows.
    auto *listPanel = new QWidget(this);
    auto *filterLabel = new QLabel(QStringLiteral("&Hledat:"), listPanel);
    FilterEdit = new QLineEdit(listPanel);
    FilterEdit->setObjectName(QStringLiteral("FilterEdit"));
    FilterEdit->setPlaceholderText(QStringLiteral("text otázky nebo názvu souboru"));
    filterLabel->setBuddy(FilterEdit);
    auto *hexagramLabel = new QLabel(QStringLiteral("He&xagram (hozený nebo vývojový):"), listPanel);
    HexagramBox = new QComboBox(listPanel);
    HexagramBox->setObjectName(QStringLiteral("HexagramBox"));
    HexagramBox->addItem(QStringLiteral("Všechny hexagramy"));
    for (int n = 1; n <= 64; ++n)
        HexagramBox->addItem(HexagramCaption(n));
    HexagramBox->setMaxVisibleItems(20);
    hexagramLabel->setBuddy(HexagramBox);
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(FilterEdit, 1);
    filterRow->addSpacing(12);
    filterRow->addWidget(hexagramLabel);
    filterRow->addWidget(HexagramBox);

    List = new QTableView(listPanel);
    List->setObjectName(QStringLiteral("List"));
    List->setModel(&m_filter);
    List->setSortingEnabled(true);
    List->sortByColumn(JournalModel::Date, Qt::DescendingOrder); // the newest first
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setAlternatingRowColors(true);
    List->setWordWrap(false);
    List->verticalHeader()->hide();
    List->verticalHeader()->setDefaultSectionSize(List->fontMetrics().height() + 8);
    List->horizontalHeader()->setHighlightSections(false);
    List->horizontalHeader()->setSectionResizeMode(JournalModel::Question, QHeaderView::Stretch);
    const QFontMetrics fm = List->fontMetrics();
    List->setColumnWidth(JournalModel::Date, fm.horizontalAdvance(QStringLiteral("00.00.00, 00:00:00")) + 36);
    // Wide enough for most titles; a longer one is cut and shown whole in its tip.
    const int title = fm.horizontalAdvance(QStringLiteral("64. Před dokončením")) + 12;
    List->setColumnWidth(JournalModel::Hexagram, title);
    List->setColumnWidth(JournalModel::Developing, title);
    List->setColumnWidth(JournalModel::Changing, fm.horizontalAdvance(QStringLiteral("Měnící se čáry")) + 12);
    List->setColumnWidth(JournalModel::File, fm.horizontalAdvance(QStringLiteral("konzultace-0000.txt")) + 16);
    List->installEventFilter(this);

    Stats = new JournalStats(listPanel);
    auto *statsScroll = new QScrollArea(listPanel);
    statsScroll->setObjectName(QStringLiteral("StatsScroll"));
    statsScroll->setWidget(Stats);
    statsScroll->setWidgetResizable(true);
    statsScroll->setFrameShape(QFrame::NoFrame);
    Pages = new QTabWidget(listPanel);
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addTab(List, QStringLiteral("Seznam"));
    Pages->addTab(statsScroll, QStringLiteral("Statistika"));
    auto *right = new QVBoxLayout(listPanel);
    right->setContentsMargins(0, 0, 0, 0);
    right->addLayout(filterRow);
    right->addWidget(Pages, 1);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName(QStringLiteral("Split"));
    split->setChildrenCollapsible(false);
    split->addWidget(folderPanel);
    split->addWidget(listPanel);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({210, 990});

    Progress = new QProgressBar(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setTextVisible(false);
    Progress->setMaximumWidth(220);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setTextFormat(Qt::PlainText);
    StopButton = new QPushButton(QStringLiteral("&Zastavit"), this);
    UnlockButton = new QPushButton(QStringLiteral("Odemknout..."), this);
    OpenButton = new QPushButton(QStringLiteral("&Otevřít"), this);
    CloseButton = new QPushButton(QStringLiteral("Zavřít"), this);
    for (QPushButton *b : {StopButton, UnlockButton, OpenButton, CloseButton})
        b->setAutoDefault(false);
    StopButton->setObjectName(QStringLiteral("StopButton"));
    UnlockButton->setObjectName(QStringLiteral("UnlockButton"));
    OpenButton->setObjectName(QStringLiteral("OpenButton"));
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Progress);
    bottom->addWidget(StatusLabel, 1);
    bottom->addWidget(StopButton);
    bottom->addWidget(UnlockButton);
    bottom->addWidget(OpenButton);
    bottom->addWidget(CloseButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addLayout(bottom);

    Describe(DriveBox, QStringLiteral("Disk"), QStringLiteral("Disk nebo domovská složka, ve které leží složka "
                                                              "s konzultacemi."));
    Describe(FolderView, QStringLiteral("Složka s konzultacemi"),
             QStringLiteral("Složka, jejíž uložené konzultace (.txt a .txg) deník ukazuje."));
    Describe(SubfoldersBox, {}, QStringLiteral("Zaškrtnuto: deník ukáže i konzultace ze všech podsložek."));
    Describe(FilterEdit, QStringLiteral("Hledat"),
             QStringLiteral("Seznam i statistika ukážou jen konzultace, v jejichž otázce nebo názvu souboru "
                            "tento text je."));
    Describe(HexagramBox, QStringLiteral("Hexagram"),
             QStringLiteral("Seznam i statistika ukážou jen konzultace, ve kterých vybraný hexagram padl "
                            "nebo z nich vznikl jako vývojový."));
    Describe(Pages, QStringLiteral("Stránky deníku"), QStringLiteral("Seznam konzultací a jejich statistika."));
    Describe(List, QStringLiteral("Konzultace"),
             QStringLiteral("Uložené konzultace složky. Klepnutím na záhlaví sloupce se podle něj seřadí; "
                            "dvojklik nebo Enter konzultaci otevře."));
    Describe(statsScroll, QStringLiteral("Statistika"),
             QStringLiteral("Jak často padaly hexagramy a hodnoty čar v konzultacích, které ukazuje seznam."));
    Describe(StopButton, {}, QStringLiteral("Zastaví čtení složky; co už je načteno, zůstane v seznamu. (Esc)"));
    Describe(UnlockButton, {}, QStringLiteral("Zeptá se na heslo a otevře jím zamčené chráněné soubory."));
    Describe(OpenButton, {}, QStringLiteral("Otevře vybranou konzultaci v okně konzultace."));
    Describe(CloseButton, {}, QStringLiteral("Zavře deník."));
    Describe(Progress, QStringLiteral("Průběh čtení"), QStringLiteral("Kolik souborů složky je už přečteno."));

    connect(DriveBox, &QComboBox::activated, this,
            [this](int index) { setFolder(DriveBox->itemData(index, DriveList::kRootRole).toString()); });
    connect(SubfoldersBox, &QCheckBox::toggled, this, [this] { Load(); });
    connect(FilterEdit, &QLineEdit::textChanged, this, [this](const QString &text) { m_filter.setText(text); });
    connect(HexagramBox, &QComboBox::currentIndexChanged, this, [this](int index) { m_filter.setHexagram(index); });
    connect(List, &QTableView::doubleClicked, this, &JournalWindow::OpenCurrent);
    connect(List->selectionModel(), &QItemSelectionModel::currentChanged, this, &JournalWindow::UpdateControls);
    connect(StopButton, &QPushButton::clicked, this, &JournalWindow::StopReading);
    connect(UnlockButton, &QPushButton::clicked, this, &JournalWindow::UnlockClick);
    connect(OpenButton, &QPushButton::clicked, this, &JournalWindow::OpenCurrent);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    connect(Pages, &QTabWidget::currentChanged, this, [this] { RefreshStats(); });
    // A hexagram's cell leads to its consultations.
    connect(Stats->Grid, &HexagramGrid::picked, this, [this](int hexagram) {
        HexagramBox->setCurrentIndex(hexagram);
        Pages->setCurrentIndex(0);
    });
    // Whatever changes what the list shows changes the statistics.
    auto shownChanged = [this] {
        m_statsDirty = true;
        RefreshStats();
        UpdateControls();
    };
    connect(&m_filter, &QAbstractItemModel::rowsInserted, this, shownChanged);
    connect(&m_filter, &QAbstractItemModel::rowsRemoved, this, shownChanged);
    connect(&m_filter, &QAbstractItemModel::modelReset, this, shownChanged);
    connect(&m_filter, &QAbstractItemModel::dataChanged, this, shownChanged);
    connect(&m_filter, &QAbstractItemModel::layoutChanged, this, shownChanged);
}

void JournalWindow::setFolder(const QString &path)
{
    const QString folder = QDir::cleanPath(QDir(path).absolutePath());
    const int drive = DriveList::SelectFor(*DriveBox, folder);
    const QString root = DriveBox->itemData(drive, DriveList::kRootRole).toString();
    FolderView->setRootIndex(m_dirModel->index(root));
    const QModelIndex at = m_dirModel->index(folder);
    for (QModelIndex up = at.parent(); up.isValid(); up = up.parent())
        FolderView->expand(up);
    {
        const QSignalBlocker quiet(FolderView->selectionModel());
        FolderView->setCurrentIndex(at);
    }
    FolderView->scrollTo(at);
    m_folder = folder;
    Load();
}

void JournalWindow::FolderViewChange()
{
    const QModelIndex current = FolderView->currentIndex();
    if (!current.isValid())
        return;
    m_folder = QDir::cleanPath(m_dirModel->filePath(current));
    Load();
}

// A new listing: whatever was read or is being read belongs to the old one.
void JournalWindow::Load()
{
    m_reader.cancel();
    m_model.clear();
    m_total = m_done = m_others = 0;
    m_stopped = false;
    m_asked = false;
    m_askWaiting = false;
    m_pendingKey.clear();
    m_stillLocked = -1;
    if (!isVisible() || m_folder.isEmpty()) {
        m_phase = Phase::Idle;
        UpdateControls();
        return;
    }
    m_phase = Phase::Listing;
    m_reader.start({m_folder, SubfoldersBox->isChecked(), {}, {}});
    UpdateControls();
}

void JournalWindow::Listed(int job, int total)
{
    if (job != m_reader.job())
        return;
    m_total = total;
    m_done = 0;
    UpdateControls();
}

void JournalWindow::Batch(int job, const QList<Journal::FileResult> &results, int done)
{
    if (job != m_reader.job())
        return; // a reading that was replaced
    m_done = done;
    for (const Journal::FileResult &r : results)
        m_others += r.outcome == Journal::Outcome::NoMarker || r.outcome == Journal::Outcome::Unreadable ? 1 : 0;
    if (m_phase == Phase::Unlocking) {
        m_model.unlock(results, m_pendingKey);
    } else {
        m_model.add(results, QString());
        // The password once for the folder, as soon as a protected file turns up;
        // the plain files go on being read meanwhile.
        if (!m_asked && m_model.lockedCount() > 0) {
            m_asked = true;
            m_askWaiting = true;
            QTimer::singleShot(0, this, [this, job] {
                if (job == m_reader.job())
                    AskForFolderKey();
            });
        }
    }
    UpdateControls();
}

void JournalWindow::Finished(int job, bool)
{
    if (job != m_reader.job())
        return;
    const Phase phase = m_phase;
    m_phase = Phase::Idle;
    if (phase == Phase::Unlocking)
        m_stillLocked = m_model.lockedCount();
    if (phase == Phase::Listing && !m_pendingKey.isEmpty()) {
        StartUnlock(m_pendingKey);
        return;
    }
    UpdateControls();
    if (!m_askWaiting)
        emit readingDone(); // else once the password has been answered
}

QString JournalWindow::AskKey()
{
    TPasswordDlg *dialog = m_main.passwordDialog();
    if (!dialog)
        return QString();
    // "Přeskočit" and "Ukončit" both leave the protected files locked.
    const QString key = dialog->AskFileSearchPassword(m_folder);
    // The dialog belongs to the main window, which comes up with it.
    raise();
    activateWindow();
    return key;
}

void JournalWindow::AskForFolderKey()
{
    const QString key = AskKey();
    m_askWaiting = false;
    if (!key.isEmpty()) {
        m_pendingKey = key;
        if (!reading())
            StartUnlock(key); // else when the listing ends
    } else if (!reading()) {
        UpdateControls();
        emit readingDone();
    }
}

void JournalWindow::UnlockClick()
{
    if (reading() || m_model.lockedCount() == 0)
        return;
    const QString key = AskKey();
    if (!key.isEmpty())
        StartUnlock(key);
}

void JournalWindow::StartUnlock(const QString &key)
{
    const QStringList paths = m_model.lockedPaths();
    if (paths.isEmpty()) {
        UpdateControls();
        emit readingDone();
        return;
    }
    m_pendingKey = key;
    m_phase = Phase::Unlocking;
    m_total = int(paths.size());
    m_done = 0;
    m_stopped = false;
    m_reader.start({m_folder, SubfoldersBox->isChecked(), paths, key});
    UpdateControls();
}

void JournalWindow::StopReading()
{
    if (!reading())
        return;
    m_reader.cancel();
    m_phase = Phase::Idle;
    m_stopped = true;
    m_pendingKey.clear();
    UpdateControls();
    emit readingDone();
}

void JournalWindow::OpenCurrent()
{
    const QModelIndex current = List->currentIndex();
    if (!current.isValid())
        return;
    const JournalModel::Row &row = m_model.row(m_filter.mapToSource(current).row());
    // A locked file is opened as any other: the main window asks for its password.
    const bool opened = m_main.OpenFile(row.entry.path, row.key.isEmpty() ? nullptr : &row.key);
    if (opened) {
        m_main.raise();
        m_main.activateWindow();
        m_main.RichEdit2->setFocus();
    }
}

void JournalWindow::RefreshStats()
{
    if (!m_statsDirty || Pages->currentIndex() != 1)
        return;
    m_statsDirty = false;
    Stats->setEntries(m_filter.shownEntries(), m_filter.shownLocked());
}

// Every enabled state and the status line, from the reading and the list.
void JournalWindow::UpdateControls()
{
    const bool busy = reading();
    StopButton->setEnabled(busy);
    UnlockButton->setEnabled(!busy && m_model.lockedCount() > 0);
    OpenButton->setEnabled(List->currentIndex().isValid());
    Progress->setVisible(busy);
    Progress->setRange(0, qMax(1, m_total));
    Progress->setValue(m_done);

    const int rows = m_model.rowCount();
    const int shown = m_filter.rowCount();
    QString status;
    if (busy) {
        status = m_phase == Phase::Unlocking ? QStringLiteral("Odemyká se: %1 z %2 souborů").arg(m_done).arg(m_total)
                                            : QStringLiteral("Načteno %1 z %2 souborů").arg(m_done).arg(m_total);
    } else if (m_stopped) {
        status = QStringLiteral("Čtení zastaveno: načteno %1 z %2 souborů, konzultací: %3").arg(m_done).arg(m_total)
                     .arg(rows);
    } else if (m_folder.isEmpty() || !isVisible()) {
        status.clear();
    } else if (rows == 0) {
        status = QStringLiteral("Ve složce nejsou žádné uložené konzultace s hodem.");
    } else {
        status = shown == rows ? QStringLiteral("Konzultací: %1").arg(rows)
                               : QStringLiteral("Zobrazeno %1 z %2 konzultací").arg(shown).arg(rows);
        if (m_model.lockedCount() > 0)
            status += QStringLiteral(", zamčených: %1").arg(m_model.lockedCount());
        if (m_stillLocked > 0)
            status += QStringLiteral(" (heslo je neotevřelo)");
    }
    if (!busy && m_others > 0 && !status.isEmpty())
        status += QStringLiteral("; souborů bez hodu: %1").arg(m_others);
    StatusLabel->setText(status);
}

void JournalWindow::showEvent(QShowEvent *event)
{
    m_place.showing();
    QWidget::showEvent(event);
    if (m_folder.isEmpty())
        setFolder(m_startFolder);
    else if (m_phase == Phase::Idle && m_model.rowCount() == 0 && m_total == 0)
        Load();
}

// Closing forgets the listing and its passwords; showing again reads anew.
void JournalWindow::closeEvent(QCloseEvent *event)
{
    m_reader.cancel();
    m_phase = Phase::Idle;
    m_model.clear();
    m_total = m_done = m_others = 0;
    m_askWaiting = false;
    m_pendingKey.clear();
    m_stillLocked = -1;
    m_stopped = false;
    UpdateControls();
    event->accept();
}

void JournalWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && reading()) {
        StopReading();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool JournalWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == List && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenCurrent();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
