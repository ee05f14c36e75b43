#pragma once
// TAnimatedImage: shows one frame of a horizontal picture strip, or cycles
// through the strip while Active. The strip's bottom-left pixel colour is
// drawn transparent. Used for the three coins. A catalogue strip is drawn
// from its double-size twin on a high-density screen.

#include <QImage>
#include <QTimer>
#include <QWidget>

class TAnimatedImage : public QWidget {
    Q_OBJECT
public:
    explicit TAnimatedImage(QWidget *parent = nullptr);

    void setGlyph(const QImage &strip);
    QImage Glyph() const { return m_strip; }
    void setNumGlyphs(int count);
    int NumGlyphs() const { return m_numGlyphs; }
    void setGlyphNum(int frame);
    int GlyphNum() const { return m_glyphNum; }
    void setInterval(int ms);
    int Interval() const { return m_interval; }
    void setActive(bool active);
    bool Active() const { return m_active; }

    // The strip rectangle of a frame, for drawing and for tests.
    QRect frameRect(int frame) const;
    QImage currentFrame() const;

signals:
    void mousePressed(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void advance();
    void fitSize();
    const QImage &stripFor(qreal devicePixelRatio);

    QImage m_strip;       // as assigned
    QImage m_transparent; // with the key colour cleared
    QImage m_dense;       // the same for a high-density screen, made when first needed
    int m_numGlyphs = 1;
    int m_glyphNum = 0;
    int m_interval = 100;
    bool m_active = false;
    QTimer m_timer;
};
