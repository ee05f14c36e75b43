#pragma once
// The journal's statistics page: how often each hexagram came up and how the
// line values compare with what three fair coins give, over the
// consultations the list shows. The two charts are drawn here with QPainter.

#include "tools/Journal.h"
#include <QWidget>
#include <array>

class QLabel;

// The 64 hexagrams in eight rows by number, each cell as dark as it is frequent.
class HexagramGrid : public QWidget {
    Q_OBJECT
public:
    explicit HexagramGrid(QWidget *parent = nullptr);
    void setCounts(const std::array<int, 64> &counts);
    const std::array<int, 64> &counts() const { return m_counts; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A click on the cell of a hexagram that came up.
    void picked(int hexagram);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRectF cellRect(int index) const;
    // The hexagram whose cell holds pos and that came up, or 0.
    int hexagramAt(const QPointF &pos) const;
    std::array<int, 64> m_counts{};
};

// Bars of the counted line values beside the counts fair coins would give.
class LineValueChart : public QWidget {
    Q_OBJECT
public:
    explicit LineValueChart(QWidget *parent = nullptr);
    void setCounts(const Journal::ValueCounts &counts);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Journal::ValueCounts m_counts{};
};

class JournalStats : public QWidget {
    Q_OBJECT
public:
    explicit JournalStats(QWidget *parent = nullptr);

    // The read consultations the list shows, and how many locked rows it
    // shows besides, which the figures cannot include.
    void setEntries(const QList<Journal::Entry> &entries, int locked);

    QLabel *Summary = nullptr;
    HexagramGrid *Grid = nullptr;
    LineValueChart *Chart = nullptr;
    QLabel *Values = nullptr;  // the table of counts
    QLabel *Test = nullptr;    // chi-square and p
    QLabel *Verdict = nullptr; // the plain sentence

    const Journal::Fairness &fairness() const { return m_fairness; }

private:
    Journal::Fairness m_fairness;
};
