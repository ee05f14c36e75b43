#pragma once
// TForm8, the page margins dialog: four margins in millimetres with a small
// page preview; "OK" keeps them in the settings, closing without it drops
// the changes.

#include "print/PrintLayout.h"
#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;
class SettingsStore;
class TForm1;

class TForm8 : public QDialog {
    Q_OBJECT
public:
    TForm8(TForm1 &main, SettingsStore &settings);

    QLabel *Label5 = nullptr;
    QSpinBox *SpinEdit1 = nullptr, *SpinEdit2 = nullptr, *SpinEdit3 = nullptr, *SpinEdit4 = nullptr;
    QLabel *Image1 = nullptr; // the preview
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr;
    PreviewLines lastPreview;

    // The margins as the spin boxes hold them: printing reads them here.
    PageMargins margins() const;
    void DrawPreview();
    void Button1Click();
    void LoadMargins();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    TForm1 &m_main;
    SettingsStore &m_settings;
};
