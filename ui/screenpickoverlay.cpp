#include "screenpickoverlay.h"

#include "pickloupe.h"

#include <QColor>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

QPoint devicePixelAt(const QPointF &logical, qreal devicePixelRatio, const QSize &deviceSize)
{
    // Flooring, not rounding: a point anywhere inside a device pixel belongs to that pixel. A
    // position that the toolkit made from device pixel n comes back as n less a rounding error
    // (at ratio 1.5, 7 comes back as 6.999...); the allowance, far below a pixel, keeps it on n.
    const double allowance = 1e-6;
    const double x = std::floor(logical.x() * devicePixelRatio + allowance);
    const double y = std::floor(logical.y() * devicePixelRatio + allowance);
    // Also false for NaN, so the conversions below are always defined.
    if (!(x >= 0 && x < deviceSize.width() && y >= 0 && y < deviceSize.height()))
        return QPoint(-1, -1);
    return QPoint(static_cast<int>(x), static_cast<int>(y));
}

ScreenPickOverlay::ScreenPickOverlay(const QImage &still, QWidget *parent)
    : QWidget(parent,
        Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
            | Qt::BypassWindowManagerHint)
    , m_still(still)
    , m_ratio(still.devicePixelRatio())
    , m_loupe(new PickLoupe(still, this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    resize((QSizeF(still.size()) / m_ratio).toSize());
    m_loupe->hide();
}

void ScreenPickOverlay::paintEvent(QPaintEvent *)
{
    // Clipped to what needs painting: as the loupe moves, only the strip it uncovers.
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_still);
}

void ScreenPickOverlay::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    follow(QPointF(mapFromGlobal(QCursor::pos())));
}

void ScreenPickOverlay::mouseMoveEvent(QMouseEvent *event)
{
    // The keys go with the pointer from one screen's overlay to the next.
    const auto *grabber = qobject_cast<ScreenPickOverlay *>(keyboardGrabber());
    if (grabber && grabber != this)
        grabKeyboard();
    // The overlay is its own window, and the window position keeps the fraction that the widget
    // position rounds away above ratio 1, where half a logical pixel is a whole device pixel.
    follow(event->windowPos());
}

void ScreenPickOverlay::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        cancel();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    follow(event->windowPos());
    pick();
}

void ScreenPickOverlay::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        cancel();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pick();
        break;
    case Qt::Key_Left:
        step(-1, 0);
        break;
    case Qt::Key_Right:
        step(1, 0);
        break;
    case Qt::Key_Up:
        step(0, -1);
        break;
    case Qt::Key_Down:
        step(0, 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ScreenPickOverlay::leaveEvent(QEvent *event)
{
    // On to another screen's overlay, which shows a loupe of its own.
    m_loupe->hide();
    QWidget::leaveEvent(event);
}

void ScreenPickOverlay::follow(const QPointF &windowPos)
{
    // The pointer where an arrow key put it stands for the kept pixel, which it could only
    // approach to the nearest logical pixel.
    if (putByKeys(windowPos.toPoint()))
        return;
    const QPoint pixel = devicePixelAt(windowPos, m_ratio, m_still.size());
    if (pixel.x() >= 0)
        setPixel(pixel, windowPos.toPoint());
}

bool ScreenPickOverlay::putByKeys(const QPoint &pointer)
{
    const auto found = std::find(m_puts.begin(), m_puts.end(), pointer);
    if (found == m_puts.end()) {
        m_puts.clear();
        return false;
    }
    m_puts.erase(m_puts.begin(), found);
    return true;
}

void ScreenPickOverlay::setPixel(const QPoint &pixel, const QPoint &pointer)
{
    m_pixel = pixel;
    m_loupe->showPixel(pixel, pointer);
    m_loupe->show();
}

void ScreenPickOverlay::step(int dx, int dy)
{
    if (m_pixel.x() < 0)
        return;
    const QPoint pixel(std::clamp(m_pixel.x() + dx, 0, m_still.width() - 1),
        std::clamp(m_pixel.y() + dy, 0, m_still.height() - 1));
    const QPointF centre = (QPointF(pixel) + QPointF(0.5, 0.5)) / m_ratio;
    const QPoint pointer(
        std::min(centre.toPoint().x(), width() - 1), std::min(centre.toPoint().y(), height() - 1));
    // A held key repeats faster than the moves may come back; a bound keeps the list short.
    if (m_puts.size() >= 64)
        m_puts.erase(m_puts.begin());
    m_puts.push_back(pointer);
    setPixel(pixel, pointer);
    QCursor::setPos(mapToGlobal(pointer));
}

void ScreenPickOverlay::pick()
{
    if (!m_still.rect().contains(m_pixel))
        return;
    hide();
    // A screen has no transparency; QColor(QRgb) reads the pixel as opaque.
    emit picked(QColor(m_still.pixel(m_pixel)));
}

void ScreenPickOverlay::cancel()
{
    hide();
    emit cancelled();
}
