#pragma once
// TForm9, find in book: a phrase searched hexagram by hexagram in the
// book's fixed order, shown in the viewer with the match selected; then
// further matches in the open hexagram, or the next hexagram that has one.

#include "tools/WindowPlacer.h"
#include <QWidget>
#include <array>

class Dialogs;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SettingsStore;
class TForm1;
class TForm2;
struct SearchOptions;

class TForm9 : public QWidget {
    Q_OBJECT
public:
    static inline const QString kInOpen = QStringLiteral("Najít v otevřeném hexagramu");
    static inline const QString kNextInOpen = QStringLiteral("Najít další v otevřeném hexagramu");
    static inline const QString kNotFound = QStringLiteral("Zadaný text nebyl nalezen.");

    TForm9(TForm1 &main, TForm2 &viewer, Dialogs &dialogs, SettingsStore &settings);

    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QCheckBox *CheckBox1 = nullptr; // match case
    QCheckBox *CheckBox2 = nullptr; // whole words
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr;
    std::array<bool, 64> FindVisited{};

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Edit1Change();
    // The viewer's show and close, and an upper-trigram pick, reach in here.
    void ViewerShown();
    void ViewerClosed();
    void UpperTrigramPicked();
    // The book search writes the hexagrams it reads into the line array, so
    // it waits while a cast is being drawn there.
    void setCastUnderWay(bool drawing);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void HexagramSearch();
    // Searches the book in its order from the first step not yet visited;
    // shows the first hexagram with the phrase in the viewer with the match
    // selected and returns the match's position, or -1 when none has it.
    qsizetype SearchBook(const QString &phrase, const SearchOptions &options);
    // The three search buttons from the text, the viewer and the last search.
    void UpdateButtons();

    TForm1 &m_main;
    TForm2 &m_viewer;
    Dialogs &m_dialogs;
    WindowPlacer m_place;
    bool m_viewerShown = false;
    bool m_canContinue = false; // the last hexagram search found one and the order goes on
    bool m_castUnderWay = false;
};
