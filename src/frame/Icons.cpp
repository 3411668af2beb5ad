#include "frame/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

constexpr int kSize = 256;

QImage disc(const QColor &colour, const std::function<void(QPainter &)> &mark)
{
    QImage pixmap(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shade(kSize * 0.38, kSize * 0.32, kSize * 0.7);
    shade.setColorAt(0, colour.lighter(135));
    shade.setColorAt(1, colour.darker(115));
    p.setBrush(shade);
    p.setPen(QPen(colour.darker(140), 8));
    p.drawEllipse(QRectF(8, 8, kSize - 16, kSize - 16));
    p.setPen(QPen(Qt::white, 30, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    mark(p);
    return pixmap;
}

} // namespace

// Every exercise window shows both icons, so each is drawn once per run.
QPixmap yesIcon()
{
    static const QImage icon = disc(QColor(40, 170, 60), [](QPainter &p) {
        QPainterPath tick;
        tick.moveTo(70, 132);
        tick.lineTo(112, 176);
        tick.lineTo(190, 86);
        p.drawPath(tick);
    });
    return QPixmap::fromImage(icon);
}

QPixmap noIcon()
{
    static const QImage icon = disc(QColor(220, 50, 50), [](QPainter &p) {
        p.drawLine(QPointF(84, 84), QPointF(172, 172));
        p.drawLine(QPointF(172, 84), QPointF(84, 172));
    });
    return QPixmap::fromImage(icon);
}

QPixmap lampIcon()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor gold(235, 180, 40);
    p.setPen(QPen(gold.darker(150), 6));
    p.setBrush(gold);

    QPainterPath body;   // the bowl with its long spout
    body.moveTo(40, 150);
    body.cubicTo(50, 200, 170, 205, 185, 150);
    body.cubicTo(205, 140, 225, 118, 245, 110);
    body.cubicTo(220, 140, 205, 165, 175, 180);
    body.lineTo(60, 170);
    body.closeSubpath();
    p.drawPath(body);
    p.drawEllipse(QRectF(70, 125, 100, 35));           // lid
    p.drawEllipse(QRectF(108, 105, 24, 24));            // knob
    p.drawRect(QRectF(95, 195, 50, 18));                // foot
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 140, 60, 50), 90 * 16, 180 * 16);   // handle

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 200, 220));              // a wisp of magic
    p.drawEllipse(QRectF(200, 60, 22, 22));
    p.drawEllipse(QRectF(170, 30, 14, 14));
    p.drawEllipse(QRectF(215, 20, 10, 10));
    return pixmap;
}
