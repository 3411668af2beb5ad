#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QObject;
class QWidget;

// What the resizer needs of a window.
class ResizableForm {
public:
    virtual ~ResizableForm() = default;
    virtual QWidget *formWidget() = 0;
    // The inner (client) size that the controls are laid out in.
    virtual QSize innerSize() const = 0;
    // Every control of the window in its control order, menu items included.
    virtual const std::vector<QObject *> &formControls() const = 0;
    // Places the whole window (frame included) and lays out its inside at once,
    // even while the window is hidden.
    virtual void setOuterGeometry(const QRect &outer) = 0;
};
