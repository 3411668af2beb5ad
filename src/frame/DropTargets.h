#pragma once

#include <QObject>
#include <functional>
#include <map>

class DragLabel;
class QWidget;

// The receiving side of dragging inside one window: which controls take a
// drop, and what each does with the control dropped on it. dropOn() is the one
// way a drop arrives, from the mouse (a DragLabel's release) and from tests.
class DropTargets : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(QWidget *source)>;

    explicit DropTargets(QObject *parent = nullptr) : QObject(parent) {}

    void addTarget(QWidget *target, Handler handler);
    // Drops of this label, released over a control, go to dropOn().
    void addSource(DragLabel *label);

    // source was dropped on target (or on a control inside it). A control
    // that takes no drops ignores it.
    void dropOn(QWidget *source, QWidget *target) const;

private:
    std::map<const QWidget *, Handler> handlers_;
};
