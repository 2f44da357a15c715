#include "screenpickoverlay.h"

#include <QColor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

QColor pixelColourAt(const QImage &image, const QPointF &logical, qreal devicePixelRatio)
{
    // Flooring, not rounding: a point anywhere inside a device pixel belongs to that pixel. A
    // position that the toolkit made from device pixel n comes back as n less a rounding error
    // (at ratio 1.5, 7 comes back as 6.999...); the allowance, far below a pixel, keeps it on n.
    const double allowance = 1e-6;
    const double x = std::floor(logical.x() * devicePixelRatio + allowance);
    const double y = std::floor(logical.y() * devicePixelRatio + allowance);
    // Also false for NaN, so the conversions below are always defined.
    if (!(x >= 0 && x < image.width() && y >= 0 && y < image.height()))
        return QColor();
    // A screen has no transparency; QColor(QRgb) reads the pixel as opaque.
    return QColor(image.pixel(static_cast<int>(x), static_cast<int>(y)));
}

ScreenPickOverlay::ScreenPickOverlay(const QImage &still, QWidget *parent)
    : QWidget(parent,
        Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
            | Qt::BypassWindowManagerHint)
    , m_still(still)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    resize((QSizeF(still.size()) / still.devicePixelRatio()).toSize());
}

void ScreenPickOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_still);
}

void ScreenPickOverlay::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        cancel();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    // The overlay is its own window, and the window position keeps the fraction that the widget
    // position rounds away above ratio 1, where half a logical pixel is a whole device pixel.
    const QColor colour = pixelColourAt(m_still, event->windowPos(), m_still.devicePixelRatio());
    if (!colour.isValid())
        return;
    hide();
    emit picked(colour);
}

void ScreenPickOverlay::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        cancel();
    else
        QWidget::keyPressEvent(event);
}

void ScreenPickOverlay::cancel()
{
    hide();
    emit cancelled();
}
