#ifndef CACHEDPANELSTYLE_H
#define CACHEDPANELSTYLE_H

#include <QPixmap>
#include <QProxyStyle>

#include <map>
#include <tuple>

// The application's style, with line-edit panels drawn once per size, state and palette and then
// copied: the antialiased frame cost twice the rest of an edit's repaint, and a colour change
// repaints up to a dozen edits.
class CachedPanelStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit CachedPanelStyle(QStyle *base);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
        const QWidget *widget = nullptr) const override;

private:
    // Size, state, palette, frame, direction and device pixel ratio: all a panel depends on.
    using Key = std::tuple<int, int, int, qint64, int, int, int, qreal>;
    mutable std::map<Key, QPixmap> panels;
};

#endif // CACHEDPANELSTYLE_H
