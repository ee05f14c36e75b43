#pragma once
// TExplorerButton and TKxExplorerButton: flat picture buttons that show a
// raised bevel under the mouse and a sunken one while held down.

#include <QAbstractButton>
#include <QColor>
#include <QImage>

class TExplorerButton : public QAbstractButton {
    Q_OBJECT
public:
    enum Option { boMonoDisplay = 1, boPopupMark = 2, boShowBevel = 4 };

    explicit TExplorerButton(QWidget *parent = nullptr);

    void setBitmap(const QImage &glyph);
    QImage Bitmap() const { return m_glyph; }
    void setOptions(int options) { m_options = options; update(); }
    int Options() const { return m_options; }
    void setFlat(bool flat) { m_flat = flat; update(); }
    bool Flat() const { return m_flat; }
    void setWordWrap(bool wrap) { m_wordWrap = wrap; update(); }

    QColor UnselectedFontColor = QColor(0, 0, 0);
    QColor DisabledFontColor = QColor(128, 128, 128);
    QColor BorderHighlightColor = QColor(255, 255, 255);
    QColor BorderShadowColor = QColor(128, 128, 128);
    QColor SelBorderHighlightColor = QColor(255, 255, 255);
    QColor SelBorderShadowColor = QColor(128, 128, 128);

    bool isHovered() const { return m_hover; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;

private:
    QImage m_glyph;
    int m_options = 0;
    bool m_flat = true;
    bool m_wordWrap = false;
    bool m_hover = false;
};

class TKxExplorerButton : public TExplorerButton {
    Q_OBJECT
public:
    using TExplorerButton::TExplorerButton;
};
