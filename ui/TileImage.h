#pragma once
// TTileImage: a picture repeated from the top-left corner over the whole
// control (the wooden table, the panel background), or drawn once.

#include <QImage>
#include <QWidget>

class TTileImage : public QWidget {
    Q_OBJECT
public:
    explicit TTileImage(QWidget *parent = nullptr);

    QImage Picture() const;
    void setPicture(const QImage &picture);
    // A catalogue picture decoded when the control is first shown (or its
    // picture asked for), so a control that stays hidden holds none.
    void setPictureName(const QString &name);
    bool TileImage() const { return m_tile; }
    void setTileImage(bool tile);

    // Paints what the control shows onto any surface of its size.
    void paintTo(QPainter &painter) const;

signals:
    void mousePressed(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void decodeNamedPicture() const;

    mutable QImage m_picture;
    mutable QString m_pictureName;
    bool m_tile = true;
};
