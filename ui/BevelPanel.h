#pragma once
// TBevelPanel: a panel framed as the old toolkit framed them: an optional
// single border line, an outer bevel, a border width of plain panel colour
// and an inner bevel. Children go into contentsRect().

#include <QWidget>

class TBevelPanel : public QWidget {
    Q_OBJECT
public:
    enum Bevel { bvNone, bvRaised, bvLowered };

    explicit TBevelPanel(QWidget *parent = nullptr);

    Bevel BevelOuter = bvRaised;
    Bevel BevelInner = bvNone;
    int BevelWidth = 1;
    int BorderWidth = 0;
    bool SingleBorder = false;
    // Re-reads the properties above after they changed.
    void applyFrame();
    // The width of the whole frame on each side.
    int frameWidth() const;

protected:
    void paintEvent(QPaintEvent *) override;
};
