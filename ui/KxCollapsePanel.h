#pragma once
// TKxCollapsePanel: a panel with a header bar that folds it up to the bar,
// unfolds it to the height it had, closes it, and drags it about its parent.
// The header stays above whatever the owner puts into the panel.

#include <QColor>
#include <QFrame>
#include <QPoint>

class QToolButton;

class TKxCollapsePanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kHeaderHeight = 16;
    static constexpr int kButtonSize = 16;
    static constexpr int kButtonInset = 18; // from the right end of the header to the close button

    explicit TKxCollapsePanel(QWidget *parent = nullptr);

    QString HeaderCaption() const { return m_caption; }
    void setHeaderCaption(const QString &caption);
    int BevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int width);
    int BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);
    // The panel's colour; the header takes it darkened by 100 in each channel.
    QColor Color() const;
    void setColor(const QColor &colour);
    QColor HeaderColor() const;

    bool isFolded() const { return m_folded; }
    void Fold();
    void Unfold();

    QWidget *Header() const { return m_header; }
    QToolButton *FoldButton() const { return m_fold; }
    QToolButton *CloseButton() const { return m_close; }

signals:
    void clicked();
    void folded(bool folded);

protected:
    void resizeEvent(QResizeEvent *) override;
    void paintEvent(QPaintEvent *) override;
    void childEvent(QChildEvent *) override;
    void showEvent(QShowEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOutHeader();
    int inset() const { return m_bevelWidth + m_borderWidth; }

    QString m_caption;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    bool m_folded = false;
    int m_fullHeight = 0;
    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
    QWidget *m_header = nullptr;
    QToolButton *m_fold = nullptr;
    QToolButton *m_close = nullptr;
};
