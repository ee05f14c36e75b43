#pragma once
// TForm4, the about box "O programu": the logo, the program's name and
// version, and the maker's web and mail addresses as hyperlink labels.

#include "platform/Platform.h"
#include <QWidget>

class QLabel;
class QPushButton;
class TBevelPanel;
class TRosHotLabel;

class TForm4 : public QWidget {
    Q_OBJECT
public:
    static inline const QString kWebAddress = QStringLiteral("http://zendra.example.org/");
    static inline const QString kMailAddress = QStringLiteral("mailto:zendra@example.org");

    TForm4(Shell &shell, Dialogs &dialogs, QWidget *parent = nullptr);
    void centreOnScreen();

    TBevelPanel *Panel1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr; // "Zendra"
    QLabel *Label2 = nullptr; // "Verze 2.1"
    TRosHotLabel *RosHotLabel1 = nullptr; // web
    TRosHotLabel *RosHotLabel2 = nullptr; // mail
    QPushButton *Button1 = nullptr;       // "Zavřít"

private:
    void Button1Click() { close(); }
    Dialogs &m_dialogs;
};
