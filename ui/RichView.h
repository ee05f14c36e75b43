#pragma once
// TRichView with its style sheet TRVStyle: a small read-only view of lines,
// each in one text style of the sheet. The trigram pop-up uses it.

#include <QColor>
#include <QFont>
#include <QList>
#include <QObject>
#include <QWidget>

struct TFontInfo {
    QString FontName = QStringLiteral("Arial");
    int Size = 10; // points
    QColor Color = QColor(0, 0, 0);
    bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
    QColor BackColor; // invalid: the sheet's background shows
    QFont font() const;
};

class TRVStyle : public QObject {
    Q_OBJECT
public:
    // Starts with the six styles of the form, all Arial 10: plain window
    // text, blue bold, navy bold, maroon italic, and green underlined twice.
    explicit TRVStyle(QObject *parent = nullptr);

    QList<TFontInfo> TextStyles;
    QColor Color = QColor(255, 255, 255); // the background
    // Appends a style and returns its number.
    int AddTextStyle(const TFontInfo &style);
};

class TRichView : public QWidget {
    Q_OBJECT
public:
    explicit TRichView(QWidget *parent = nullptr);

    TRVStyle *Style() const { return m_style; }
    void setStyle(TRVStyle *style);
    int LeftMargin = 5;
    int RightMargin = 5;

    void Clear();
    // Appends a text as a new line in the given style of the sheet.
    void Add(const QString &text, int style);
    // Lays out what was added; Repaint shows it.
    void Format();
    void Repaint() { repaint(); }

    // The drawing surface's font, which callers set to measure texts.
    QFont CanvasFont;
    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;

    int lineCount() const { return m_lines.size(); }
    QString lineText(int i) const { return m_lines.value(i).text; }
    int lineStyle(int i) const { return m_lines.value(i).style; }
    int lineTop(int i) const { return m_lines.value(i).top; }

signals:
    void clicked();      // RichView1Click
    void rightClicked(); // RichView1RVRightClick

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Line {
        QString text;
        int style = 0;
        int top = 0;
    };
    TFontInfo styleOf(int style) const;

    TRVStyle *m_style = nullptr;
    QList<Line> m_lines;
    Qt::MouseButton m_pressed = Qt::NoButton;
};
