#pragma once
// TExplorerButton and TKxExplorerButton: flat picture buttons. They lie flat
// on the picture beneath them until the mouse comes over them, then show a
// raised bevel and their true colours; held down they show a sunken bevel.
// A glyph's bottom-left pixel colour is drawn transparent.

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
    void setOptions(int options);
    int Options() const { return m_options; }
    void setFlat(bool flat);
    bool Flat() const { return m_flat; }
    void setWordWrap(bool wrap);
    bool WordWrap() const { return m_wordWrap; }

    // The font's colour, which the caption takes under the mouse.
    QColor FontColor = QColor(0, 0, 0);
    // The caption's colour while the mouse is elsewhere, and while disabled.
    QColor UnselectedFontColor = QColor(0, 0, 0);
    QColor DisabledFontColor = QColor(128, 128, 128);
    // The raised bevel under the mouse, and the sunken one while held down.
    QColor BorderHighlightColor = QColor(255, 255, 255);
    QColor BorderShadowColor = QColor(128, 128, 128);
    QColor SelBorderHighlightColor = QColor(255, 255, 255);
    QColor SelBorderShadowColor = QColor(128, 128, 128);

    bool isHovered() const { return m_hover; }
    // What the button shows now, for drawing and for tests.
    enum class Look { Flat, Raised, Sunken };
    Look look() const;
    QColor captionColour() const;
    // The glyph as drawn now: transparent key, one colour when mono. Above a
    // device pixel ratio of 1 a catalogue glyph is its double-size twin.
    QImage glyphAsDrawn(qreal devicePixelRatio = 1.0) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;
    void changeEvent(QEvent *) override;

private:
    struct Glyphs {
        QImage colour; // key colour cleared
        QImage mono;   // the same shape in one colour
    };
    static Glyphs Split(const QImage &glyph);
    void rebuildGlyphs();
    const Glyphs &glyphsFor(qreal devicePixelRatio) const;

    QImage m_glyph;
    Glyphs m_glyphs;
    mutable Glyphs m_denseGlyphs; // made when a high-density screen first shows the button
    int m_options = 0;
    bool m_flat = true;
    bool m_wordWrap = false;
    bool m_hover = false;
};

// The panel's buttons are the same button; the panel sets their colours.
using TKxExplorerButton = TExplorerButton;
