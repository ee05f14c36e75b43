#pragma once
// TForm7, the logo window shown while the program starts: borderless, on
// top, centred, its client area filled by a framed panel holding the logo.

#include <QWidget>

class QLabel;
class TBevelPanel;

class TForm7 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 246;
    static constexpr int kClientHeight = 216;

    explicit TForm7(QWidget *parent = nullptr);
    void centreOnScreen();

    TBevelPanel *Panel1 = nullptr;
    QLabel *Image1 = nullptr;
};
