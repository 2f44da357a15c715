#ifndef PICKLOUPE_H
#define PICKLOUPE_H

#include <QColor>
#include <QImage>
#include <QRect>
#include <QStaticText>
#include <QWidget>

// A magnified view of the device pixels around one pixel of a still image, with a crosshair on
// that pixel, its colour and hex beside it, and a one-line hint under them. It sits beside the
// pointer inside its parent and lets every mouse event through to the parent.
class PickLoupe : public QWidget
{
    Q_OBJECT

public:
    // Device pixels shown across and down; odd, so that one sits in the middle.
    static constexpr int cells = 15;
    // Logical pixels per device pixel shown: 10 times at ratio 1, 20 device pixels at ratio 2.
    static constexpr int cellSize = 10;

    PickLoupe(const QImage &still, QWidget *parent);

    // Centres the view on a device pixel of the still and places the loupe beside a pointer
    // given in the parent's logical pixels.
    void showPixel(const QPoint &devicePixel, const QPoint &pointer);

    QPoint pixel() const { return m_pixel; }
    QColor colour() const { return m_colour; }
    QString hexText() const { return m_colour.name(); }
    QString hint() const { return m_hint.text(); }
    // Where the middle device pixel is drawn, in the loupe's logical pixels.
    QRect crosshairCell() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void placeBeside(const QPoint &pointer);

    QImage m_still;
    QImage m_view; // the device pixels shown, one image pixel each
    QPoint m_pixel {-1, -1};
    QColor m_colour;
    QStaticText m_hint;
    QRect m_viewRect;
    QRect m_changing; // what a new pixel changes: the view, the swatch and the hex
    QRect m_swatchRect;
    QPoint m_hexOrigin;
    QPoint m_hintOrigin;
};

#endif // PICKLOUPE_H
