#include "exercises/arrays/Tasto.h"

#include <QPainter>

Tasto::Tasto(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void Tasto::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 20), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), 4, 4);
}
