#ifndef SCREENPICKOVERLAY_H
#define SCREENPICKOVERLAY_H

#include <QImage>
#include <QWidget>

#include <vector>

class PickLoupe;
class QColor;
class QPointF;

// The device pixel, of an image deviceSize device pixels large shown at devicePixelRatio, that
// holds a point given in logical pixels; (-1, -1) for a point outside the image.
QPoint devicePixelAt(const QPointF &logical, qreal devicePixelRatio, const QSize &deviceSize);

// A frameless window showing a still image of one screen under a cross cursor, with a loupe on
// the device pixel under the pointer. A left click or Enter picks that pixel's colour; the arrow
// keys move the pointer one device pixel; Escape or a right click cancels. Either way it hides.
class ScreenPickOverlay : public QWidget
{
    Q_OBJECT

public:
    // The still keeps its device pixel ratio, which maps a click to its device pixel.
    explicit ScreenPickOverlay(const QImage &still, QWidget *parent = nullptr);

signals:
    void picked(const QColor &colour);
    void cancelled();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void follow(const QPointF &windowPos);
    bool putByKeys(const QPoint &pointer);
    void setPixel(const QPoint &pixel, const QPoint &pointer);
    void step(int dx, int dy);
    void pick();
    void cancel();

    QImage m_still;
    qreal m_ratio = 1;
    PickLoupe *m_loupe = nullptr;
    // The device pixel a pick takes. The pointer can only be put on whole logical pixels, so
    // after an arrow key this is kept apart from it until the pointer really moves.
    QPoint m_pixel {-1, -1};
    // Where the arrow keys put the pointer, in logical pixels, oldest first: each put comes
    // back as a move, perhaps after later keys, and the last stays until the pointer moves.
    std::vector<QPoint> m_puts;
};

#endif // SCREENPICKOVERLAY_H
