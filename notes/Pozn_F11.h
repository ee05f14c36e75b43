#pragma once
// TForm11, the notes window: one plain-text note per hexagram, all kept in
// the container file "Poznamky.str". The save button sits at the right of a
// strip above the text (a title bar cannot be painted on every desktop): a
// diskette, raised while there are unsaved changes, pressed while held.

#include "notes/HKStreamCol.h"
#include <QWidget>

class Dialogs;
class QPlainTextEdit;
class TForm1;

class TNoteSaveButton : public QWidget {
    Q_OBJECT
public:
    explicit TNoteSaveButton(QWidget *parent = nullptr);
    void setRaised(bool raised);
    bool isRaised() const { return m_raised; }
    bool isHeld() const { return m_held; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_raised = false;
    bool m_held = false;
};

class TForm11 : public QWidget {
    Q_OBJECT
public:
    static inline const QString kFileName = QStringLiteral("Poznamky.str");

    TForm11(TForm1 &main, Dialogs &dialogs);

    QPlainTextEdit *Memo1 = nullptr;
    TNoteSaveButton *SaveButton = nullptr;
    THKStreams HKStreams1;

    QString NoteName;        // six characters, "8" yin and "7" yang, bottom first
    QString NoteDefaultText; // the title line of a note that does not exist yet
    bool NotesModified = false;
    bool NotesReady = false;
    bool LoadFailed = false;  // the file exists but could not be read

    QString notesPath() const;
    // Saves the note under its name, with every other note the file held.
    bool SaveNote();
    void SaveButtonClick();
    // Asks about an unsaved note: false when the window must stay open.
    bool FormCloseQuery();
    // Closes without asking again, once the question has been answered.
    void CloseAnswered();
    // Gives the editor the consultation editor's font and colours.
    void takeLook();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void Memo1Change();

    TForm1 &m_main;
    Dialogs &m_dialogs;
    bool m_answered = false;
};
