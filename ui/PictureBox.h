#pragma once
// TImage and TPaintBox: a picture shown at its own size that can be drawn
// on, and an invisible click area laid over another control.

#include <QImage>
#include <QWidget>

class TPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit TPictureBox(QWidget *parent = nullptr);
    // Replaces the picture (and anything drawn on it) and takes its size.
    void setPicture(const QImage &picture);
    // What the owner draws on. On a high-density screen its pixels are finer
    // than the control's: a QPainter on it works in the control's pixels, and
    // its deviceIndependentSize() is the control's size.
    QImage &canvas() { return m_picture; }
    const QImage &picture() const { return m_picture; }

signals:
    void clicked();
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);
    // A key pressed while the picture has the focus; a receiver that acts
    // on it accepts it, else it goes on to the parents.
    void keyPressed(QKeyEvent *event);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QImage m_picture;
    bool m_pressed = false;
};

class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget *parent = nullptr);

signals:
    void clicked();
    void mousePressed(QMouseEvent *event);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
