#include "frame/DragLabel.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

DragLabel::DragLabel(QWidget *parent) : QLabel(parent) {}

DragLabel::~DragLabel()
{
    endDrag();
}

void DragLabel::setDragMode(bool on)
{
    if (on == dragMode_)
        return;
    dragMode_ = on;
    if (on)
        setCursor(dragCursor());
    else
        unsetCursor();
}

void DragLabel::mousePressEvent(QMouseEvent *event)
{
    endDrag();
    if (!dragMode_ || event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
    grip_ = event->position().toPoint();

    QPixmap faded(size() * devicePixelRatioF());
    faded.setDevicePixelRatio(devicePixelRatioF());
    faded.fill(Qt::transparent);
    {
        QPainter painter(&faded);
        painter.setOpacity(0.6);
        painter.drawPixmap(0, 0, grab());
    }
    auto *ghost = new QLabel(window());
    ghost->setAttribute(Qt::WA_TransparentForMouseEvents);
    ghost->setPixmap(faded);
    ghost->resize(size());
    ghost_ = ghost;
    dragging_ = true;
    moveGhost(event->globalPosition());
    ghost->show();
    ghost->raise();
    QGuiApplication::setOverrideCursor(dragCursor());
}

void DragLabel::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging()) {
        QLabel::mouseMoveEvent(event);
        return;
    }
    event->accept();
    moveGhost(event->globalPosition());
}

void DragLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (!dragging() || event->button() != Qt::LeftButton) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    endDrag();
    QWidget *top = window();
    QWidget *target = top->childAt(top->mapFromGlobal(event->globalPosition().toPoint()));
    // The receiver may replace the exercise or close the window: nothing of
    // this label is used after the signal.
    if (target)
        Q_EMIT dropped(target);
}

void DragLabel::hideEvent(QHideEvent *event)
{
    endDrag();
    QLabel::hideEvent(event);
}

void DragLabel::moveGhost(QPointF globalPos)
{
    if (ghost_)
        ghost_->move(window()->mapFromGlobal(globalPos.toPoint()) - grip_);
}

void DragLabel::endDrag()
{
    if (!dragging_)
        return;
    dragging_ = false;
    delete ghost_.data();
    QGuiApplication::restoreOverrideCursor();
}

namespace {

QCursor drawDragCursor()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    // The card the arrow carries, lower right.
    p.setPen(QPen(QColor(60, 30, 0), 1.5));
    p.setBrush(QColor(255, 200, 40));
    p.drawRoundedRect(QRectF(13.5, 15.5, 15, 13), 3, 3);
    p.setPen(QPen(QColor(60, 30, 0), 2));
    p.drawLine(QPointF(21, 18.5), QPointF(21, 25.5));
    p.drawLine(QPointF(17.5, 22), QPointF(24.5, 22));

    // The arrow, tip at the hot spot.
    QPainterPath arrow;
    arrow.moveTo(1.5, 1.5);
    arrow.lineTo(1.5, 19);
    arrow.lineTo(6, 14.5);
    arrow.lineTo(9.5, 22);
    arrow.lineTo(12.5, 20.5);
    arrow.lineTo(9, 13.5);
    arrow.lineTo(15, 13.5);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    p.end();
    return QCursor(picture, 1, 1);
}

// Holds the cursor for the application's lifetime and goes with it.
class CursorHolder final : public QObject {
public:
    using QObject::QObject;
    QCursor cursor = drawDragCursor();
};

} // namespace

QCursor dragCursor()
{
    static QPointer<CursorHolder> holder;
    if (!holder)
        holder = new CursorHolder(QCoreApplication::instance());
    return holder->cursor;
}
