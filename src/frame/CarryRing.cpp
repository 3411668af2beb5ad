#include "frame/CarryRing.h"

#include <QPainter>
#include <algorithm>

CarryRing::CarryRing(QWidget *window) : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void CarryRing::surround(const QWidget *control)
{
    QWidget *top = parentWidget();
    const int margin = std::max(4, control->height() / 10);
    setGeometry(QRect(control->mapTo(top, QPoint(0, 0)), control->size()).adjusted(-margin, -margin, margin, margin));
    show();
    raise();
}

void CarryRing::paintEvent(QPaintEvent *)
{
    // As thick around a tall, narrow digit as around a square box of its
    // height, yet never eating up a narrow control.
    const QRectF inside(rect());
    const qreal shorter = std::min(inside.width(), inside.height());
    const qreal longer = std::max(inside.width(), inside.height());
    const qreal pen = std::max(2.5, std::min(longer / 14, shorter / 6));
    const QRectF ring = inside.adjusted(pen, pen, -pen, -pen);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 20, 20), 2 * pen));
    painter.drawRoundedRect(ring, 2 * pen, 2 * pen);
    painter.setPen(QPen(QColor(255, 225, 0), pen));
    painter.drawRoundedRect(ring, 2 * pen, 2 * pen);
}
