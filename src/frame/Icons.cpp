#include "frame/Icons.h"

#include "frame/PaintCache.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace {

// The pictures are drawn on a 256 x 256 design square.
constexpr qreal kDesign = 256;

void disc(QPainter &p, const QColor &colour)
{
    QRadialGradient shade(kDesign * 0.38, kDesign * 0.32, kDesign * 0.7);
    shade.setColorAt(0, colour.lighter(135));
    shade.setColorAt(1, colour.darker(115));
    p.setBrush(shade);
    p.setPen(QPen(colour.darker(140), 8));
    p.drawEllipse(QRectF(8, 8, kDesign - 16, kDesign - 16));
    p.setPen(QPen(Qt::white, 30, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

void paintYes(QPainter &p)
{
    disc(p, QColor(40, 170, 60));
    QPainterPath tick;
    tick.moveTo(70, 132);
    tick.lineTo(112, 176);
    tick.lineTo(190, 86);
    p.drawPath(tick);
}

void paintNo(QPainter &p)
{
    disc(p, QColor(220, 50, 50));
    p.drawLine(QPointF(84, 84), QPointF(172, 172));
    p.drawLine(QPointF(172, 84), QPointF(84, 172));
}

void paintLamp(QPainter &p)
{
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
}

void paintSpeaker(QPainter &p)
{
    const QColor body(44, 62, 140);
    p.setPen(QPen(body.darker(130), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(body);
    QPainterPath speaker;   // the magnet box and its cone
    speaker.moveTo(30, 98);
    speaker.lineTo(78, 98);
    speaker.lineTo(138, 46);
    speaker.lineTo(138, 210);
    speaker.lineTo(78, 158);
    speaker.lineTo(30, 158);
    speaker.closeSubpath();
    p.drawPath(speaker);

    p.setBrush(Qt::NoBrush);   // the sound going out, in widening waves
    p.setPen(QPen(QColor(240, 120, 20), 16, Qt::SolidLine, Qt::RoundCap));
    for (const qreal radius : {34.0, 66.0, 98.0})
        p.drawArc(QRectF(138 - radius, 128 - radius, 2 * radius, 2 * radius), -45 * 16, 90 * 16);
}

class VectorEngine final : public QIconEngine {
public:
    explicit VectorEngine(IconKind kind) : kind_(kind) {}

    // Drawn once per size and mode, then copied: a button repaints its icon
    // at every hover and press.
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const bool disabled = mode == QIcon::Disabled;
        drawCached(*painter, rect,
                   QStringLiteral("icon-") + QString::number(static_cast<int>(kind_)) + (disabled ? u'd' : u'n'),
                   [this, disabled](QPainter &q, const QRectF &area) {
                       if (disabled)
                           q.setOpacity(0.45);
                       paintIcon(q, area, kind_);
                   });
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap picture(size * scale);
        picture.fill(Qt::transparent);
        {
            QPainter p(&picture);
            paint(&p, QRect(QPoint(0, 0), picture.size()), mode, state);
        }
        picture.setDevicePixelRatio(scale);
        return picture;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine *clone() const override { return new VectorEngine(kind_); }
    QString key() const override { return QStringLiteral("quadrivel-vector"); }

private:
    IconKind kind_;
};

} // namespace

void paintIcon(QPainter &painter, const QRectF &area, IconKind kind)
{
    const qreal side = std::min(area.width(), area.height());
    if (side <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(area.center() - QPointF(side / 2, side / 2));
    painter.scale(side / kDesign, side / kDesign);
    switch (kind) {
    case IconKind::Yes:
        paintYes(painter);
        break;
    case IconKind::No:
        paintNo(painter);
        break;
    case IconKind::Lamp:
        paintLamp(painter);
        break;
    case IconKind::Speaker:
        paintSpeaker(painter);
        break;
    }
    painter.restore();
}

QIcon vectorIcon(IconKind kind)
{
    return QIcon(new VectorEngine(kind));
}

QPixmap iconPixmap(IconKind kind)
{
    return vectorIcon(kind).pixmap(QSize(256, 256));
}

IconLabel::IconLabel(IconKind kind, QWidget *parent) : QLabel(parent), kind_(kind) {}

void IconLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const IconKind kind = kind_;
    drawCached(p, rect(), QStringLiteral("icon-%1").arg(static_cast<int>(kind)),
               [kind](QPainter &q, const QRectF &area) { paintIcon(q, area, kind); });
}
