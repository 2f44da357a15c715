#ifndef SCREENPICKOVERLAY_H
#define SCREENPICKOVERLAY_H

#include <QImage>
#include <QWidget>

class QColor;
class QPointF;

// The colour of the pixel under a point given in logical pixels of an image whose device pixel
// ratio is devicePixelRatio; invalid for a point outside the image.
QColor pixelColourAt(const QImage &image, const QPointF &logical, qreal devicePixelRatio);

// A frameless window showing a still image of one screen under a cross cursor. A left click
// picks the colour under the pointer; Escape or a right click cancels. Either way it hides.
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
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void cancel();

    QImage m_still;
};

#endif // SCREENPICKOVERLAY_H
