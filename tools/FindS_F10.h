#pragma once
// TForm10, find in files: the consultations of one folder searched for a
// phrase, the plain ones first and then the protected ones; the first file
// that holds it opens in a consultation window with the match selected, and
// the search goes on from there with "V dalším souboru >>".
//
// A search yields to the event loop every yieldIntervalMs while it reads, so
// the window shows the file it is in and stays usable; Esc, "Zavřít", a new
// text or another folder stop it.

#include "tools/WindowPlacer.h"
#include <QElapsedTimer>
#include <QFileIconProvider>
#include <QPoint>
#include <QWidget>
#include <memory>
#include <optional>

class DocumentSlots;
class Dialogs;
class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QTreeView;
class SettingsStore;
class TForm1;
namespace FileSearch { class Enumeration; }

class TForm10 : public QWidget {
    Q_OBJECT
public:
    static inline const QString kStartCaption = QStringLiteral("> V souborech < ");
    static inline const QString kNineWindows = QStringLiteral(
        "Může být otevřeno nejvíce 9 oken. K dalšímu hledání je zapotřebí alespoň jedno okno zavřít.");

    TForm10(TForm1 &main, const DocumentSlots &documents, Dialogs &dialogs, SettingsStore &settings);
    ~TForm10() override;

    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QCheckBox *CheckBox1 = nullptr; // match case
    QCheckBox *CheckBox2 = nullptr; // whole words
    QLabel *Label2 = nullptr;
    QTreeView *DirectoryListBox1 = nullptr;
    QListView *FileListBox1 = nullptr;
    QComboBox *DriveComboBox1 = nullptr;
    QPushButton *Button1 = nullptr; // "> V souborech < "
    QPushButton *Button2 = nullptr; // "V zobrazeném textu >"
    QPushButton *Button5 = nullptr; // "V dalším souboru >>"
    QPushButton *Button4 = nullptr; // "Otevřít soubor"
    QPushButton *Button3 = nullptr; // "Zavřít"
    QLabel *SearchingLabel = nullptr; // the file being searched, while a search runs

    int FilesFindPos = -1; // the match in the editor; -1: none current
    QString fileKey;       // the password tried first on protected files
    int yieldIntervalMs = 30;

    void Button1Click();
    void Button2Click();
    void Button4Click();
    void Button5Click();
    void Edit1Change();
    void FileListBox1Change();
    void DirectoryListBox1Change();
    void DriveComboBox1Change(int index);

    // The folder the directory list shows; setting it is a click there.
    QString directory() const;
    void setDirectory(const QString &path);
    int fileCount() const;
    bool searching() const { return m_running; }
    // Ends a running search where it is and the enumeration with it.
    void StopSearch();

    // "&Uložit nastavení" and "Původní &nastavení" of the main window.

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class FileOutcome { NoMatch, Match, Abort };

    void createControls();
    void fillDrives();
    void createModels();
    void UpdateButtons();
    void RunSearch();
    FileOutcome SearchOneFile(const QString &name, const QString &phrase);
    std::optional<QString> OpenProtected(const QString &path, const QByteArray &stored, bool &abort);
    QString AskKey(const QString &path, int &result);
    void OpenMatch(const QString &path, const QString &phrase);
    bool KeepGoing(const QString &name);
    void SetBusy(bool busy);
    void Tell(const QString &text);
    bool NineWindowsOpen();
    void FormClose();

    TForm1 &m_main;
    const DocumentSlots &m_documents;
    Dialogs &m_dialogs;
    QFileSystemModel *m_dirModel = nullptr;
    QFileSystemModel *m_fileModel = nullptr;
    QFileIconProvider m_icons; // the style's file and folder icons where the desktop has no theme
    std::unique_ptr<FileSearch::Enumeration> m_enumeration;
    WindowPlacer m_place;
    QString m_startFolder;
    QString m_directory;
    bool m_searchOpen = false; // a match was opened and the enumeration waits
    bool m_running = false;
    bool m_stop = false;
    bool m_busy = false;
    QElapsedTimer m_sinceYield;
};
