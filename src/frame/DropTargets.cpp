#include "frame/DropTargets.h"

#include "frame/DragLabel.h"

#include <QWidget>

void DropTargets::addTarget(QWidget *target, Handler handler)
{
    handlers_[target] = std::move(handler);
}

void DropTargets::addSource(DragLabel *label)
{
    connect(label, &DragLabel::dropped, this, [this, label](QWidget *target) { dropOn(label, target); });
}

void DropTargets::dropOn(QWidget *source, QWidget *target) const
{
    for (QWidget *w = target; w && !w->isWindow(); w = w->parentWidget()) {
        const auto it = handlers_.find(w);
        if (it != handlers_.end()) {
            it->second(source);
            return;
        }
    }
}
