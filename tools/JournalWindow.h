#pragma once
// The consultation journal: the saved consultations of a folder in a list
// (date, question, the hexagrams, the changing lines, the file), filtered and
// sorted at will, and the statistics of what the list shows. Files are read
// off the interface thread; protected ones after the password, asked once
// for the folder, and those it does not open stay in the list as locked
// rows until "Odemknout..." is given another password.

#include "tools/JournalModel.h"
#include "tools/JournalReader.h"
#include "tools/WindowPlacer.h"
#include <QFileIconProvider>
#include <QWidget>

class Dialogs;
class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTreeView;
class JournalStats;
class SettingsStore;
class TForm1;

class JournalWindow : public QWidget {
    Q_OBJECT
public:
    JournalWindow(TForm1 &main, Dialogs &dialogs, SettingsStore &settings);
    ~JournalWindow() override;

    QComboBox *DriveBox = nullptr;
    QTreeView *FolderView = nullptr;
    QCheckBox *SubfoldersBox = nullptr;
    QLineEdit *FilterEdit = nullptr;
    QComboBox *HexagramBox = nullptr; // 0: all, then 1..64
    QTabWidget *Pages = nullptr;
    QTableView *List = nullptr;
    JournalStats *Stats = nullptr;
    QProgressBar *Progress = nullptr;
    QLabel *StatusLabel = nullptr;
    QPushButton *StopButton = nullptr;
    QPushButton *UnlockButton = nullptr;
    QPushButton *OpenButton = nullptr;
    QPushButton *CloseButton = nullptr;

    QString folder() const { return m_folder; }
    // Lists the folder anew; the folder view follows.
    void setFolder(const QString &path);
    bool reading() const { return m_reader.running(); }
    const JournalModel &model() const { return m_model; }
    const JournalFilter &filter() const { return m_filter; }
    JournalReader &reader() { return m_reader; }

    void OpenCurrent();
    void StopReading();
    void UnlockClick();

signals:
    // A reading of the folder, or of its locked files, came to its end.
    void readingDone();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Phase { Idle, Listing, Unlocking };

    void createControls();
    void Load();
    void StartUnlock(const QString &key);
    QString AskKey();
    void AskForFolderKey();
    void Listed(int job, int total);
    void Batch(int job, const QList<Journal::FileResult> &results, int done);
    void Finished(int job, bool cancelled);
    void FolderViewChange();
    void RefreshStats();
    void UpdateControls();

    TForm1 &m_main;
    Dialogs &m_dialogs;
    QFileIconProvider m_icons;
    QFileSystemModel *m_dirModel = nullptr;
    JournalModel m_model;
    JournalFilter m_filter;
    JournalReader m_reader;
    WindowPlacer m_place;
    QString m_startFolder;
    QString m_folder;
    Phase m_phase = Phase::Idle;
    int m_total = 0;
    int m_done = 0;
    int m_others = 0;          // files read that are no consultations
    bool m_stopped = false;    // the user stopped the last reading
    bool m_asked = false;      // the folder's password was asked for
    bool m_askWaiting = false; // and the question is still to be answered
    QString m_pendingKey;      // given while the folder was still being listed
    int m_stillLocked = -1;    // after an unlock: the files its key did not open
    bool m_statsDirty = true;
};
