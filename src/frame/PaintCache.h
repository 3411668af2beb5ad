#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <functional>

class QPainter;

// Draws into target a picture that many controls share (the face of a button
// of one size and colour), from a cache of the toolkit: anti-aliased shapes
// cost far more to draw than to copy. draw paints the picture in a rectangle
// of target's size at (0, 0) when the cache does not hold it. key names the
// picture apart from its size and backdrop. A picture drawn over an opaque
// backdrop (the colour behind the control) copies faster than one with
// transparent corners.
void drawCached(QPainter &painter, const QRect &target, const QString &key,
                const std::function<void(QPainter &, const QRectF &)> &draw,
                const QColor &backdrop = Qt::transparent);
