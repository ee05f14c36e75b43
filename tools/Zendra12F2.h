#pragma once
// TForm2, the viewer: the complete text of one hexagram, read-only, with
// the heading as its caption.

#include "tools/BookWindow.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class TForm1;
class TForm3;
class TForm9;
class SettingsStore;

class TForm2 : public TBookWindow {
    Q_OBJECT
public:
    TForm2(TForm1 &main, SettingsStore &settings);

    void setContentsWindow(TForm3 *contents);
    void setFindWindow(TForm9 *find) { m_find = find; }
    // Caption and text of a hexagram; shows and raises the window.
    void showText(const QString &heading, const QString &text);
    // The complete text of the hexagram in readingLines, made in the scratch slot.
    void FillFromReadingLines();

    QPlainTextEdit *RichEdit1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *Kopirovat1 = nullptr;
    QAction *VybratVse1 = nullptr;
    int FindPos = -1; // the find-in-book match position; -1: none current

    void Kopirovat1Click();
    void VybratVse1Click();
    void PopupMenu1Popup();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    TForm9 *m_find = nullptr;
};
