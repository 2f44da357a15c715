#include "pickloupe.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <utility>

namespace {

constexpr int margin = 6;
constexpr int swatchSize = 40;
// Between the pointer and the loupe, so that the pointer never hides what it points at.
constexpr int pointerGap = 24;

} // namespace

PickLoupe::PickLoupe(const QImage &still, QWidget *parent)
    : QWidget(parent)
    , m_still(still)
    , m_view(cells, cells, QImage::Format_RGB32)
    , m_hint(tr("Click or Enter to pick, Escape to cancel, arrow keys move one pixel"))
{
    setObjectName(QStringLiteral("pickLoupe"));
    // The overlay follows the pointer, also when the pointer runs over the loupe.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_hint.setTextFormat(Qt::PlainText);
    m_hint.prepare(QTransform(), font());

    // Laid out once: only the pixels and the colour change as the pointer moves.
    const QFontMetrics metrics(font());
    const int side = cells * cellSize;
    m_viewRect = QRect(margin, margin, side, side);
    const int besideX = m_viewRect.right() + 1 + margin;
    m_swatchRect = QRect(besideX, margin, swatchSize, swatchSize);
    m_hexOrigin = QPoint(besideX, m_swatchRect.bottom() + 1 + margin + metrics.ascent());
    m_hintOrigin = QPoint(margin, m_viewRect.bottom() + 1 + margin);
    const int besideWidth
        = std::max(swatchSize, metrics.horizontalAdvance(QStringLiteral("#dddddd")));
    const int width = std::max(besideX + besideWidth, margin + qCeil(m_hint.size().width()));
    m_changing = m_viewRect.united(
        QRect(besideX, margin, besideWidth, m_hexOrigin.y() + metrics.descent() + 1 - margin));
    resize(width + margin, m_hintOrigin.y() + qCeil(m_hint.size().height()) + margin);
}

QRect PickLoupe::crosshairCell() const
{
    const int middle = cells / 2 * cellSize;
    return QRect(m_viewRect.topLeft() + QPoint(middle, middle), QSize(cellSize, cellSize));
}

void PickLoupe::showPixel(const QPoint &devicePixel, const QPoint &pointer)
{
    placeBeside(pointer);
    if (devicePixel == m_pixel)
        return;
    m_pixel = devicePixel;
    // Beyond the screen's edge the view shows the loupe's own background.
    m_view.fill(palette().window().color());
    const QPoint corner = devicePixel - QPoint(cells / 2, cells / 2);
    const QRect shown = QRect(corner, QSize(cells, cells)).intersected(m_still.rect());
    for (int y = shown.top(); y <= shown.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(m_view.scanLine(y - corner.y()));
        for (int x = shown.left(); x <= shown.right(); ++x)
            line[x - corner.x()] = m_still.pixel(x, y) | 0xff000000u;
    }
    m_colour = m_still.rect().contains(devicePixel) ? QColor(m_still.pixel(devicePixel)) : QColor();
    // The frame and the hint stay as they are; moving the loupe takes them along.
    update(m_changing);
}

void PickLoupe::placeBeside(const QPoint &pointer)
{
    const QWidget *area = parentWidget();
    const auto along = [](int at, int size, int room) {
        // Right of or below the pointer, unless the loupe would leave the screen there.
        int start = at + pointerGap;
        if (start + size > room)
            start = at - pointerGap - size;
        return std::clamp(start, 0, std::max(0, room - size));
    };
    const QPoint place(
        along(pointer.x(), width(), area->width()), along(pointer.y(), height(), area->height()));
    if (place != pos())
        move(place);
}

void PickLoupe::paintEvent(QPaintEvent *event)
{
    // Lines and rings as filled rectangles, which cost a fraction of stroked ones.
    const auto frame = [](QPainter &painter, const QRect &around, const QColor &colour) {
        painter.fillRect(around.left(), around.top(), around.width(), 1, colour);
        painter.fillRect(around.left(), around.bottom(), around.width(), 1, colour);
        painter.fillRect(around.left(), around.top(), 1, around.height(), colour);
        painter.fillRect(around.right(), around.top(), 1, around.height(), colour);
    };
    QPainter painter(this);
    const QPalette &colours = palette();
    const QColor text = colours.windowText().color();
    const bool whole = !m_changing.contains(event->rect());
    painter.fillRect(whole ? rect() : m_changing, colours.window());
    if (whole) {
        frame(painter, rect(), text);
        painter.setPen(text);
        painter.drawStaticText(m_hintOrigin, m_hint);
    }

    // Nearest-neighbour scaling: each device pixel becomes a square of one colour.
    painter.drawImage(m_viewRect, m_view);

    // Two rings, black inside white, around the middle pixel, and a cross leading to it: one
    // of the two stands out on any colour.
    const QRect cell = crosshairCell();
    const QRect inner = cell.adjusted(-1, -1, 1, 1);
    const QRect outer = cell.adjusted(-2, -2, 2, 2);
    frame(painter, outer, Qt::white);
    frame(painter, inner, Qt::black);
    const int midX = cell.center().x();
    const int midY = cell.center().y();
    const int left = m_viewRect.left();
    const int top = m_viewRect.top();
    for (const auto &[colour, shift] : {std::pair(Qt::black, 0), std::pair(Qt::white, 1)}) {
        painter.fillRect(left, midY + shift, outer.left() - left, 1, colour);
        painter.fillRect(
            outer.right() + 1, midY + shift, m_viewRect.right() - outer.right(), 1, colour);
        painter.fillRect(midX + shift, top, 1, outer.top() - top, colour);
        painter.fillRect(
            midX + shift, outer.bottom() + 1, 1, m_viewRect.bottom() - outer.bottom(), colour);
    }

    if (m_colour.isValid()) {
        painter.fillRect(m_swatchRect, m_colour);
        frame(painter, m_swatchRect, text);
        painter.setPen(text);
        painter.drawText(m_hexOrigin, hexText());
    }
}
