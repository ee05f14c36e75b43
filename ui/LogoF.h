#pragma once
// TForm7, the logo window shown while the program starts.

#include <QWidget>

class TForm7 : public QWidget {
    Q_OBJECT
public:
    explicit TForm7(QWidget *parent = nullptr);
    void centreOnScreen();
};
