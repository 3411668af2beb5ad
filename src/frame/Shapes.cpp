#include "frame/Shapes.h"

#include <QPainter>

Line::Line(QWidget *parent, QPoint from, QPoint to, const QColor &colour, int width)
    : QWidget(parent), from_(from), to_(to), colour_(colour), width_(width)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
}

void Line::setX1(int v) { from_.setX(v); place(); }
void Line::setY1(int v) { from_.setY(v); place(); }
void Line::setX2(int v) { to_.setX(v); place(); }
void Line::setY2(int v) { to_.setY(v); place(); }

void Line::place()
{
    // The widget covers the line's bounding box, widened by the pen.
    setGeometry(QRect(from_, to_).normalized().adjusted(-width_, -width_, width_, width_));
    update();
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from_ - pos(), to_ - pos());
}

Shape::Shape(QWidget *parent, const QColor &fill, const QColor &border, int borderWidth)
    : QWidget(parent), fill_(fill), border_(border), borderWidth_(borderWidth)
{
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), border_);
    p.fillRect(rect().adjusted(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_), fill_);
}
