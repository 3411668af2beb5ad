#pragma once

#include <QLabel>
#include <QPointer>

class CarryRing;

// A label that can be dragged inside its window while its drag mode is on;
// the mode can be switched at any time. Pressing the left button or a finger
// on it starts the drag, a faded copy of it follows the pointer, and lifting
// the button or the finger reports the control under it through dropped().
// The drag never leaves the window, so it needs nothing from the window
// system. While its drag mode is on the label also takes the focus from Tab,
// shown by a ring around it, so that the keyboard can carry it (DropTargets
// drives that through lift(), hover() and putDown()).
class DragLabel : public QLabel {
    Q_OBJECT
public:
    explicit DragLabel(QWidget *parent = nullptr);
    ~DragLabel() override;

    void setDragMode(bool on);
    bool dragMode() const { return dragMode_; }
    // A drag by the mouse or a finger is under way.
    bool dragging() const { return dragging_; }

    // Carrying by keyboard: the label shows a ring where it was taken and its
    // faded copy stands, lifted, over the control it would be dropped on.
    void lift();
    void hover(QWidget *over);
    void putDown();
    bool lifted() const { return lifted_; }

Q_SIGNALS:
    // The drag ended with the pointer over target.
    void dropped(QWidget *target);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void startDrag(QPointF grip, QPointF globalPos, bool withCursor);
    void finishDrag(QPointF globalPos);
    void makeGhost();
    void moveGhost(QPointF globalPos);
    void dropGhost();
    void endDrag();
    // The ring shows while the label has the focus in drag mode or is lifted.
    void placeRing();

    bool dragMode_ = false;
    bool dragging_ = false;
    bool lifted_ = false;
    bool cursorSet_ = false;   // the drag pointer is shown (not for a finger)
    int touchId_ = -1;         // the finger that drags
    QPointer<QLabel> ghost_;   // owned by the window, which may delete it first
    QPointer<CarryRing> ring_; // likewise
    QPoint grip_;   // where the label was taken, in its own coordinates
};

// The pointer over a label that can be dragged and during a drag: an arrow
// holding a small card, drawn here rather than loaded.
QCursor dragCursor();
