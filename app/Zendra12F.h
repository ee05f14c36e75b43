#pragma once
// TForm1, the main window: the wooden table with the trigram picture, the
// coins and the paper, and the consultation editor on the right. Its state
// is the program-wide ProgramState; the window carries only its controls.
// Handlers live in several files, one per menu or area.

#include "platform/Platform.h"
#include "app/ProgramState.h"
#include "app/SettingsText.h"
#include "tools/WindowPlace.h"
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QMenu;
class QMimeData;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class TAnimatedImage;
class TExplorerButton;
class TPaintBox;
class TPictureBox;
class TSRWavePlayer;
class TTileImage;
class TForm7;
class TForm4;
class TGoToWeb;
class TRichView;
class TRVStyle;
class TKxCollapsePanel;
using TKxExplorerButton = TExplorerButton;
class InterpretationCorpus;
class TForm2;
class TForm3;
class TPasswordDlg;
class TForm11;
class TForm9;
class TForm10;
class TForm8;
class JournalWindow;
class QPrinter;
class WindowPlacer;
class RecoveryStore;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(Platform &platform, ProgramState &state, const InterpretationCorpus &corpus, QWidget *parent = nullptr);
    ~TForm1() override;

    void setLogoWindow(QWidget *logo) { m_logo = logo; }
    // The viewer and the contents window, created after the main window.
    void setBookWindows(TForm2 *viewer, TForm3 *contents);
    TForm2 *Form2 = nullptr;
    TForm3 *Form3 = nullptr;
    TForm11 *Form11 = nullptr; // the notes window
    TForm9 *Form9 = nullptr;   // find in book
    void setFindWindow(TForm9 *find);
    void NajitKP1Click();
    TForm10 *Form10 = nullptr; // find in files
    void setFilesFindWindow(TForm10 *find);
    void Najtvuloenchsouborech1Click();
    JournalWindow *JournalForm = nullptr; // the consultation journal
    void setJournalWindow(JournalWindow *journal);
    void DenikKonzultaci1Click();
    // The program state and the book, for the tool windows that fill the viewer.
    ProgramState &programState() { return m_state; }
    const InterpretationCorpus &corpus() const { return m_corpus; }
    void setNotesWindow(TForm11 *notes) { Form11 = notes; UpdateActions(); }
    // The notes window tells when it opens and closes; its two buttons are off meanwhile.
    void setNotesOpen(bool open);
    void ExplorerButton4Click();
    void ExplorerButton7Click();

    // Controls, under their form names.
    TTileImage *Image1 = nullptr;       // the table
    TPictureBox *Image2 = nullptr;      // the paper
    TPictureBox *Image3 = nullptr;      // the trigram picture
    std::array<TPaintBox *, 9> PaintBox{}; // PaintBox1..9 at index 0..8
    std::array<TAnimatedImage *, 3> AnimatedImage{};
    std::array<QPushButton *, 3> Button{};
    std::array<TExplorerButton *, 4> ExplorerButton{};
    QTimer *Timer1 = nullptr;
    QPlainTextEdit *RichEdit2 = nullptr; // the consultation editor
    QPlainTextEdit *RichEdit3 = nullptr; // hidden search buffer
    TSRWavePlayer *SRWavePlayer1 = nullptr;
    TRichView *RichView1 = nullptr;     // the trigram pop-up
    TRVStyle *RVStyle1 = nullptr;
    TGoToWeb *GoToWeb1 = nullptr;
    TForm4 *Form4 = nullptr;            // the about box

    // The developing-hexagram panel and its controls.
    TKxCollapsePanel *KxCollapsePanel1 = nullptr;
    TTileImage *TileImage1 = nullptr;
    TPictureBox *Image4 = nullptr;
    TKxExplorerButton *KxExplorerButton1 = nullptr, *KxExplorerButton2 = nullptr, *KxExplorerButton3 = nullptr;
    TExplorerButton *ExplorerButton5 = nullptr, *ExplorerButton6 = nullptr, *ExplorerButton7 = nullptr,
                    *ExplorerButton8 = nullptr;

    // Menu items, under their form names.
    QMenu *File1 = nullptr, *Edit1 = nullptr, *Nastaveni1 = nullptr, *Obsah1 = nullptr, *Okno = nullptr,
          *Help1 = nullptr;
    QMenu *Nastavovatmince1 = nullptr, *Uspodntrigram1 = nullptr, *UklDoSouboru = nullptr, *DrevoStolu = nullptr,
          *Papir = nullptr, *PapObrTrig = nullptr, *PapVykrCar = nullptr, *PapPanelHex = nullptr,
          *MinceMenu = nullptr, *Zvuky = nullptr;
    QAction *New1 = nullptr, *ZavOkno = nullptr, *Open1 = nullptr, *Save1 = nullptr, *SaveAs1 = nullptr,
            *Vzhledstrnky1 = nullptr, *Tisk = nullptr, *PrintSetup1 = nullptr, *Exit1 = nullptr;
    QAction *Cut1 = nullptr, *Copy1 = nullptr, *Paste1 = nullptr, *Odstranit2 = nullptr, *Vybratve1 = nullptr,
            *Zpet1 = nullptr, *Znovu1 = nullptr, *Zrusit1 = nullptr;
    QAction *Barvapozad1 = nullptr, *Font1 = nullptr, *Systmovbarvy1 = nullptr, *Puvodni = nullptr,
            *UlozNas1 = nullptr;
    QAction *Pocitacem1 = nullptr, *Rucne1 = nullptr, *FuSi1 = nullptr, *Wen1 = nullptr, *Soupis = nullptr;
    QAction *CisHexagramu = nullptr, *VvojHexagram = nullptr, *VykladDH = nullptr, *ZobrazitPanelDH = nullptr;
    std::array<QAction *, 4> Drevo{};
    QAction *NahodaD = nullptr;
    QAction *ZlatistyObrTrig = nullptr, *StrbrObrTrig = nullptr, *ZlatistyVykrCar = nullptr,
            *StrbrVykrCar = nullptr, *ZlatistyPanelHex = nullptr, *StrbrPanelHex = nullptr;
    QAction *Stribro = nullptr, *Zlato = nullptr, *Rychle = nullptr;
    QAction *Zvonky = nullptr, *Zvonek = nullptr, *Harfa1 = nullptr, *Harfa2 = nullptr, *Hrom = nullptr,
            *Zadny = nullptr, *Nahoda = nullptr;
    QAction *ObsahKP1 = nullptr, *NajitKP1 = nullptr, *Najtvuloenchsouborech1 = nullptr, *DenikKonzultaci1 = nullptr;
    std::array<QAction *, 9> OknoItem{}; // Okno1..Okno9
    QAction *Napoveda = nullptr, *About1 = nullptr;

    // Handlers that tests and other windows call.
    void Button1Click() { CoinButtonClick(0); }
    void Button2Click() { CoinButtonClick(1); }
    void Button3Click() { CoinButtonClick(2); }
    void CoinButtonClick(int coin);
    void Timer1Timer();
    void Image2Click();
    void DrawNextLine();
    void Pocitacem1Click();
    void Rucne1Click();
    void Zrusit1Click();
    void RychleClick();
    void MetalClick(bool silver);
    void SelectSound();
    void SoundItemClick(QAction *item);
    void WoodClick(int number); // 1..4, or 0 for the random choice
    void New1Click();
    void ResetCast();
    void ZavOknoClick();
    void SwitchToSlot(int k);
    void StoreCurrent();
    void ShowCurrent();
    void Save1Click();
    void SaveAs1Click();
    void Open1Click();
    // Opens a consultation file in a new window; with a search key (find in
    // files) the key is used instead of asking. False when nothing opened.
    bool OpenFile(const QString &path, const QString *searchKey = nullptr);
    void setPasswordDialog(TPasswordDlg *dialog) { m_passwordDlg = dialog; }
    TPasswordDlg *passwordDialog() const { return m_passwordDlg; }
    void Exit1Click();
    // Sets every enabled, armed and checked state of the window's controls
    // from the program state; handlers change the state and then call it.
    void UpdateActions();
    void NapovedaClick();
    // The executable's folder, from which the user guide is found; tests
    // point it at a folder tree of their own.
    QString ProgramFolder;
    void ShowContents();
    void About1Click();
    // Editing commands of "Ú&pravy" and the editor's pop-up menu.
    QMenu *PopupMenu1 = nullptr;
    QAction *Vyjmout1 = nullptr, *Kopirovat1 = nullptr, *Vlozit1 = nullptr, *Odstranit1 = nullptr,
            *VybratVse1 = nullptr;
    void Edit1Click();
    void PopupMenu1Popup();
    void Cut1Click(bool fromPopup = false);
    void Copy1Click(bool fromPopup = false);
    void Paste1Click(bool fromPopup = false);
    // The one way text enters the editor: as plain text at the cursor, never
    // while printing; pasting from the clipboard leaves its plain version there.
    void PasteText(const QMimeData *source);
    void Odstranit2Click(bool fromPopup = false);
    void Vybratve1Click(bool fromPopup = false);
    void Zpet1Click();   // "Zpět": undo the last change of the editor's text
    void Znovu1Click();  // "Znovu": redo it
    // Settings and the look of the editor.
    void LoadSettings();
    void UlozNas1Click();
    // Writes the settings store and reports a failure once.
    void CommitSettings();
    void Barvapozad1Click();
    void Font1Click();
    void Systmovbarvy1Click();
    void PuvodniClick();
    void VvojHexagramClick();
    ColorValue editorFontColor() const { return m_fontColor; }
    ColorValue editorBackColor() const { return m_backColor; }
    // A stored colour as the desktop shows it now.
    static QColor ResolveColor(ColorValue value);
    QString notesFolder() const { return m_notesFolder; }
    // What the tool windows' places are computed from and fitted into.
    MainWindowSize mainWindowSize() const;
    QList<ScreenArea> screenAreas() const { return m_platform.screens.areas(); }
    void addToolWindowPlace(WindowPlacer *place) { m_places.append(place); }
    void SetUpTrigramPopup();
    void FormMouseDown();
    void PaintBox9Click();
    void PickTrigram(int position);
    void ShowHexagramInViewer(const HexagramLines &lines);
    void DrawHexagramInPicture();
    void ExplorerButtonClick(int button); // 0 nuclear, 1 opposite, 2 swapped
    void PaintBoxMouseDown(int position, Qt::MouseButton button);
    void Nastaveni1Click();
    void ShowTrigramPopup(int position);
    void HideTrigramPopup();
    void F9Pressed();
    bool TabToBookWindows();
    bool PrintingUnderway() const { return m_printing; }
    void AbortPrinting() { m_printAbort = true; }
    // Printing: the margins dialog, the print command and the printer set-up.
    TForm8 *Form8 = nullptr;
    void setMarginsDialog(TForm8 *dialog);
    QPrinter &printer();
    void TiskClick();
    int printLineHeight() const { return m_printLineHeight; } // of the last job, in printer pixels
    void Vzhledstrnky1Click();
    void PrintSetup1Click();
    void CastFinished();
    void BuildConsultationReading();
    void PlayReadingSound();
    void DrawPanelLines();
    void ClearPanelMarks();
    void Image4MouseMove(const QPoint &at);
    void Image4MouseDown(const QPoint &at);
    void Image4LineKey(int position); // keys 1 to 6 on the panel paper, bottom line first
    void PanelButtonClick(int which); // 0 developing, 1 chosen lines, 2 nuclear, 3 opposite, 4 swapped
    void LoadPanelPaper();
    void ShowPanel();
    void HidePanel();
    QStringList editorLines() const;
    void setEditorLines(const QStringList &lines);

    // Crash recovery (Zendra12F_Recovery.cpp): copies of unsaved
    // consultations every half minute and after every cast, removed by a
    // clean close and offered at the start after a crash.
    void setRecoveryStore(RecoveryStore *store);
    void KeepRecoveryCopies();
    void OfferRecovery();
    void EndRecovery();
    static constexpr int kRecoveryIntervalMs = 30000;

    // The "Zendra  ..." caption rules read the caption back.
    QString caption() const { return windowTitle(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormCreate();
    void FormActivate();
    bool FormCloseQuery();
    void FormKeyUp(int key, Qt::KeyboardModifiers modifiers);

    void createControls();
    void createPanel();
    void createTabOrder();
    void LayOutPanel();
    void setupFileActions();
    void setupEditActions();
    void setupSettingsActions();
    void setupBookActions();
    void setupWindowActions();
    void setupHelpActions();
    void LayOutTable();

    bool handMode() const;
    bool silverCoins() const;
    void LoadCoinStrips();
    void LoadPaper();
    void LoadTrigramPicture();
    void PickFuSi(Trigram trigram);
    void LoadTablePicture(int number);
    void DrawCastOnPaper();
    void LeaveCurrent();
    void SetSpinInterval();
    void RefreshWindowMenu();
    bool OpenSlot(const QString &name);
    bool AskToSave(); // false when the document must stay open
    QString TimeStampLine() const;
    void setCaptionFor(const QString &name);
    void SaveDocument(const QString &remembered); // the name to keep when nothing is written

    Platform &m_platform;
    ProgramState &m_state;
    const InterpretationCorpus &m_corpus;
    QPointer<QWidget> m_logo;
    TPasswordDlg *m_passwordDlg = nullptr;
    QActionGroup *m_soundGroup = nullptr;
    bool m_resetOnly = false; // Zrusit1Click runs only the reset part of New1Click
    void ApplyEditorLook();
    void SetWood(int number);        // 1..4 as stored, else the random choice
    int WoodNumber() const;
    void SetSoundItem(int number);   // 1..7 as stored
    int SoundNumber() const;
    void ApplyFontText(const QString &text); // throws EConvertError
    QString CurrentFontText() const;
    // One value of the settings table as the window sets and reads it.
    struct SettingBinding {
        const char *name;
        std::function<void(const QVariant &)> apply;
        std::function<QVariant()> collect;
    };
    QList<SettingBinding> SettingBindings();
    QList<WindowPlacer *> m_places;
    ColorValue m_fontColor = kDefaultTextColor;
    ColorValue m_backColor = kBlack;
    QString m_notesFolder;
    QPoint m_panelPlace{336, 248};
    bool m_notesOpen = false;
    std::unique_ptr<QPrinter> m_printer;
    bool m_printing = false;
    bool m_printAbort = false;
    int m_printLineHeight = 0;
    // Opens a window for a recovered consultation; false at the nine-window limit.
    bool RestoreConsultation(const QString &name, const QString &fileName, const QStringList &lines,
                             const QString &password);
    RecoveryStore *m_recovery = nullptr;
    QTimer *m_recoveryTimer = nullptr;
    bool m_recoveryFailureShown = false;
};
