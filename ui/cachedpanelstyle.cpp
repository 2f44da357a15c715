#include "cachedpanelstyle.h"

#include <QPainter>
#include <QPixmap>
#include <QStyleOption>

CachedPanelStyle::CachedPanelStyle(QStyle *base)
    : QProxyStyle(base)
{ }

void CachedPanelStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
    QPainter *painter, const QWidget *widget) const
{
    const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
    if (element != PE_PanelLineEdit || !frame || option->rect.isEmpty()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatioF();
    const Key key {option->rect.width(), option->rect.height(), int(option->state),
        option->palette.cacheKey(), frame->lineWidth, int(frame->features), int(option->direction),
        ratio};
    auto found = panels.find(key);
    if (found == panels.end()) {
        // A handful of states is all the edits go through; a changed palette starts afresh.
        if (panels.size() >= 32)
            panels.clear();
        QPixmap panel(option->rect.size() * ratio);
        panel.setDevicePixelRatio(ratio);
        panel.fill(Qt::transparent);
        QStyleOptionFrame atOrigin(*frame);
        atOrigin.rect.moveTo(0, 0);
        QPainter panelPainter(&panel);
        QProxyStyle::drawPrimitive(element, &atOrigin, &panelPainter, widget);
        panelPainter.end();
        found = panels.emplace(key, panel).first;
    }
    painter->drawPixmap(option->rect.topLeft(), found->second);
}
