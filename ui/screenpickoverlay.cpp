#include "screenpickoverlay.h"

#include <QColor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

QColor pixelColourAt(const QImage &image, const QPointF &logical, qreal devicePixelRatio)
{
    // Flooring, not rounding: a point anywhere inside a device pixel belongs to that pixel.
    const double x = std::floor(logical.x() * devicePixelRatio);
    const double y = std::floor(logical.y() * devicePixelRatio);
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
    const QColor colour = pixelColourAt(m_still, event->localPos(), m_still.devicePixelRatio());
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
