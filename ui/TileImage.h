#pragma once
// TTileImage: a picture repeated from the top-left corner over the whole
// control (the wooden table, the panel background), or drawn once.

#include <QImage>
#include <QWidget>

class TTileImage : public QWidget {
    Q_OBJECT
public:
    explicit TTileImage(QWidget *parent = nullptr);

    QImage Picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    bool TileImage() const { return m_tile; }
    void setTileImage(bool tile);

    // Paints what the control shows onto any surface of its size.
    void paintTo(QPainter &painter) const;

signals:
    void mousePressed(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    bool m_tile = true;
};
