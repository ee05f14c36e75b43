#pragma once
// TForm4, the about box "O programu": the logo, the program's name and
// version, and two hyperlink labels to the local user guide: its contents
// and its page about the program.

#include "platform/Platform.h"
#include <QWidget>

class QLabel;
class QPushButton;
class TBevelPanel;
class TRosHotLabel;

class TForm4 : public QWidget {
    Q_OBJECT
public:
    TForm4(Shell &shell, Dialogs &dialogs, QWidget *parent = nullptr);
    void centreOnScreen();
    // Points the two links at the guide in folder; with no guide they are hidden.
    void setGuideFolder(const QString &folder);

    TBevelPanel *Panel1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr; // "Zendra"
    QLabel *Label2 = nullptr; // "Verze 2.1"
    TRosHotLabel *RosHotLabel1 = nullptr; // the guide's contents
    TRosHotLabel *RosHotLabel2 = nullptr; // the guide's page about the program
    QPushButton *Button1 = nullptr;       // "Zavřít"

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Button1Click() { close(); }
    Dialogs &m_dialogs;
};
