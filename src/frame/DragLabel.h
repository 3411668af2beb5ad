#pragma once

#include <QLabel>
#include <QPointer>

// A label that can be dragged inside its window while its drag mode is on;
// the mode can be switched at any time. Pressing the left button on it starts
// the drag, a faded copy of it follows the pointer, and releasing the button
// reports the control under the pointer through dropped(). The drag never
// leaves the window, so it needs nothing from the window system.
class DragLabel : public QLabel {
    Q_OBJECT
public:
    explicit DragLabel(QWidget *parent = nullptr);
    ~DragLabel() override;

    void setDragMode(bool on);
    bool dragMode() const { return dragMode_; }
    bool dragging() const { return dragging_; }

Q_SIGNALS:
    // The drag ended with the pointer over target.
    void dropped(QWidget *target);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void moveGhost(QPointF globalPos);
    void endDrag();

    bool dragMode_ = false;
    bool dragging_ = false;
    QPointer<QLabel> ghost_;   // owned by the window, which may delete it first
    QPoint grip_;   // where the label was taken, in its own coordinates
};

// The pointer over a label that can be dragged and during a drag: an arrow
// holding a small card, drawn here rather than loaded.
QCursor dragCursor();
