#pragma once
// TForm3, the contents of the book: 64 entries in two columns; a
// double-click or Enter opens the hexagram in the viewer.

#include "tools/BookWindow.h"

class QListWidget;
class TForm1;
class TForm2;
class SettingsStore;

class TForm3 : public TBookWindow {
    Q_OBJECT
public:
    TForm3(TForm1 &main, SettingsStore &settings);

    void setViewer(TForm2 *viewer);
    QListWidget *ListBox1 = nullptr;

    void ListBox1Click();
    // The editor's font name and colours; the list keeps its own size.
    void setLook(const QString &fontName, const QColor &text, const QColor &back);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};
