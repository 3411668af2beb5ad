#include "frame/DragLabel.h"

#include "frame/Accessibility.h"
#include "frame/CarryRing.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointingDevice>
#include <QTouchEvent>
#include <algorithm>

namespace {

// A mouse event the toolkit or the system made from a finger: the finger's
// own touch events drive the drag, so this one must not start a second.
bool fromTouch(const QMouseEvent *event)
{
    return event->device() && event->device()->type() == QInputDevice::DeviceType::TouchScreen;
}

bool otherDragIn(const QWidget *window, const DragLabel *self)
{
    const QList<DragLabel *> labels = window->findChildren<DragLabel *>();
    return std::any_of(labels.begin(), labels.end(),
                       [self](const DragLabel *label) { return label != self && label->dragging(); });
}

} // namespace

DragLabel::DragLabel(QWidget *parent) : QLabel(parent)
{
    setAttribute(Qt::WA_AcceptTouchEvents);
}

DragLabel::~DragLabel()
{
    endDrag();
    if (ring_) {
        ring_->hide();
        ring_->deleteLater();
    }
}

void DragLabel::setDragMode(bool on)
{
    if (on == dragMode_)
        return;
    dragMode_ = on;
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
    if (on)
        setCursor(dragCursor());
    else
        unsetCursor();
    placeRing();
    // Whether it can be picked up is part of its reading.
    announceNameChange(this);
}

bool DragLabel::event(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::TouchBegin && type != QEvent::TouchUpdate && type != QEvent::TouchEnd
        && type != QEvent::TouchCancel)
        return QLabel::event(event);
    auto *touch = static_cast<QTouchEvent *>(event);
    if (type == QEvent::TouchBegin) {
        // One finger drags; more at once are not a drag, nor is a finger put
        // down while another label of the window is being dragged.
        if (!dragMode_ || touch->pointCount() != 1 || otherDragIn(window(), this))
            return QLabel::event(event);
        endDrag();
        const QEventPoint &point = touch->point(0);
        touchId_ = point.id();
        startDrag(point.position(), point.globalPosition(), false);
        event->accept();
        return true;
    }
    if (type == QEvent::TouchCancel) {
        endDrag();
        return true;
    }
    const QEventPoint *point = touch->pointById(touchId_);
    if (!dragging_ || !point)
        return QLabel::event(event);
    event->accept();
    if (type == QEvent::TouchEnd || point->state() == QEventPoint::Released)
        finishDrag(point->globalPosition());
    else
        moveGhost(point->globalPosition());
    return true;
}

void DragLabel::mousePressEvent(QMouseEvent *event)
{
    if (fromTouch(event)) {
        QLabel::mousePressEvent(event);
        return;
    }
    endDrag();
    if (!dragMode_ || event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
    startDrag(event->position(), event->globalPosition(), true);
}

void DragLabel::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging() || fromTouch(event)) {
        QLabel::mouseMoveEvent(event);
        return;
    }
    event->accept();
    moveGhost(event->globalPosition());
}

void DragLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (!dragging() || event->button() != Qt::LeftButton || fromTouch(event)) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    finishDrag(event->globalPosition());
}

void DragLabel::hideEvent(QHideEvent *event)
{
    endDrag();
    putDown();
    QLabel::hideEvent(event);
    placeRing();
}

void DragLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    placeRing();
}

void DragLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    placeRing();
}

void DragLabel::moveEvent(QMoveEvent *event)
{
    QLabel::moveEvent(event);
    placeRing();
}

void DragLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    placeRing();
}

void DragLabel::placeRing()
{
    const bool shown = isVisible() && (lifted_ || (dragMode_ && hasFocus()));
    if (!shown) {
        if (ring_)
            ring_->hide();
        return;
    }
    if (!ring_)
        ring_ = new CarryRing(window());
    ring_->surround(this);
    // A faded copy held above the window stays above the ring.
    if (ghost_)
        ghost_->raise();
}

void DragLabel::startDrag(QPointF grip, QPointF globalPos, bool withCursor)
{
    grip_ = grip.toPoint();
    makeGhost();
    dragging_ = true;
    moveGhost(globalPos);
    if (withCursor) {
        QGuiApplication::setOverrideCursor(dragCursor());
        cursorSet_ = true;
    }
}

void DragLabel::finishDrag(QPointF globalPos)
{
    endDrag();
    QWidget *top = window();
    QWidget *target = top->childAt(top->mapFromGlobal(globalPos.toPoint()));
    // The receiver may replace the exercise or close the window: nothing of
    // this label is used after the signal.
    if (target)
        Q_EMIT dropped(target);
}

void DragLabel::makeGhost()
{
    dropGhost();
    QPixmap faded(size() * devicePixelRatioF());
    faded.setDevicePixelRatio(devicePixelRatioF());
    faded.fill(Qt::transparent);
    const QPixmap face = grab();
    {
        QPainter painter(&faded);
        painter.setOpacity(0.6);
        painter.drawPixmap(0, 0, face);
    }
    auto *ghost = new QLabel(window());
    ghost->setAttribute(Qt::WA_TransparentForMouseEvents);
    ghost->setPixmap(faded);
    ghost->resize(size());
    ghost_ = ghost;
    ghost->show();
    ghost->raise();
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
    dropGhost();
    if (cursorSet_) {
        cursorSet_ = false;
        QGuiApplication::restoreOverrideCursor();
    }
}

// Hidden now, deleted later: a window being closed hides its children from a
// list that must not lose one on the way.
void DragLabel::dropGhost()
{
    if (!ghost_)
        return;
    ghost_->hide();
    ghost_->deleteLater();
    ghost_ = nullptr;
}

void DragLabel::lift()
{
    if (lifted_ || dragging_)
        return;
    lifted_ = true;
    placeRing();
    makeGhost();
}

void DragLabel::hover(QWidget *over)
{
    if (!lifted_ || !ghost_ || !over)
        return;
    // Centred on the control and raised a little towards the upper left, as
    // a card held above it.
    const int rise = qMax(3, height() / 12);
    const QPoint centre = over->mapTo(window(), over->rect().center());
    ghost_->move(centre - QPoint(width() / 2 + rise, height() / 2 + rise));
    ghost_->raise();
}

void DragLabel::putDown()
{
    if (!lifted_)
        return;
    lifted_ = false;
    dropGhost();
    placeRing();
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
