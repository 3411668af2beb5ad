#include "frame/DropTargets.h"

#include "frame/Accessibility.h"
#include "frame/CarryRing.h"
#include "frame/DragLabel.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <climits>

namespace {

constexpr char kTargetsProperty[] = "dropTargets";

// What a screen reader calls a control: its name from the language file.
QString placeOf(const QWidget *control)
{
    return control->accessibleName();
}

QPoint centreIn(const QWidget *control, const QWidget *window)
{
    return control->mapTo(window, control->rect().center());
}

// The control nearest to from in the direction of an arrow key; null when
// none lies that way. Straying sideways costs twice going straight.
QWidget *nearest(const std::vector<QWidget *> &controls, const QWidget *from, int key)
{
    const QWidget *top = from->window();
    const QPoint start = centreIn(from, top);
    QWidget *best = nullptr;
    int bestScore = INT_MAX;
    for (QWidget *c : controls) {
        const QPoint d = centreIn(c, top) - start;
        const bool across = key == Qt::Key_Left || key == Qt::Key_Right;
        const int ahead = key == Qt::Key_Right ? d.x() : key == Qt::Key_Left ? -d.x() : key == Qt::Key_Down ? d.y() : -d.y();
        const int aside = std::abs(across ? d.y() : d.x());
        if (c == from || ahead <= 0)
            continue;
        if (const int score = ahead + 2 * aside; score < bestScore) {
            bestScore = score;
            best = c;
        }
    }
    return best;
}

// The next control after from that Tab would reach.
void focusAfter(QWidget *from)
{
    for (QWidget *w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace

void DropTargets::addTarget(QWidget *target, Handler handler)
{
    if (handlers_.find(target) == handlers_.end()) {
        targets_.push_back(target);
        target->installEventFilter(this);
        target->setProperty(kTargetsProperty, QVariant::fromValue(QPointer<DropTargets>(this)));
    }
    handlers_[target] = std::move(handler);
}

void DropTargets::addSource(DragLabel *label)
{
    connect(label, &DragLabel::dropped, this, [this, label](QWidget *target) { dropOn(label, target); });
    label->installEventFilter(this);
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

const DropTargets *DropTargets::of(const QWidget *control)
{
    return control->property(kTargetsProperty).value<QPointer<DropTargets>>().data();
}

QString DropTargets::reading(const QWidget *target, const QString &own) const
{
    const auto *box = qobject_cast<const QLabel *>(target);
    const QString place = box && box->text().trimmed().isEmpty() ? accessibleWord(QStringLiteral("Empty"), own) : own;
    if (carried_ && target == over_)
        return accessibleWord(QStringLiteral("Carrying"), carriedDigit(), place);
    return place;
}

QString DropTargets::carriedDigit() const
{
    return carried_ ? carried_->text().trimmed() : QString();
}

bool DropTargets::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return keyEvent(watched, static_cast<QKeyEvent *>(event));
    case QEvent::FocusOut: {
        // Another window or a menu coming up keeps the carry; a click or a
        // window step elsewhere ends it.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (watched == armed_)
            armed_ = nullptr;
        if (carried_ && watched == over_ && !moving_ && reason != Qt::ActiveWindowFocusReason
            && reason != Qt::PopupFocusReason)
            putDown(End::Lost);
        break;
    }
    case QEvent::Hide:
        if (carried_ && (watched == carried_ || watched == over_))
            putDown(End::Lost);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::TouchBegin:
        if (carried_)
            putDown(End::Lost);
        break;
    default:
        break;
    }
    return false;
}

bool DropTargets::keyEvent(QObject *watched, const QKeyEvent *event)
{
    const int key = event->key();
    const bool press = event->type() == QEvent::KeyPress;
    const bool put = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!carried_) {
        auto *label = qobject_cast<DragLabel *>(watched);
        if (!put || !label || !label->dragMode() || label->dragging())
            return false;
        if (event->isAutoRepeat())
            return true;
        if (press) {
            armed_ = label;
        } else if (armed_ == label) {
            armed_ = nullptr;
            pickUp(label);
        }
        return true;
    }
    if (watched != over_)
        return false;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (press)
            step(key);
        return true;
    case Qt::Key_Escape:
        if (press && !event->isAutoRepeat())
            putDown(End::Back);
        return true;
    default:
        if (!put)
            return false;
        if (event->isAutoRepeat())
            return true;
        if (press) {
            armed_ = over_.data();
        } else if (armed_ == over_) {
            armed_ = nullptr;
            putDown(End::Drop);
        }
        return true;
    }
}

std::vector<QWidget *> DropTargets::shownTargets() const
{
    std::vector<QWidget *> shown;
    for (QWidget *t : targets_) {
        if (t->isVisible() && t->isEnabled())
            shown.push_back(t);
    }
    return shown;
}

void DropTargets::pickUp(DragLabel *label)
{
    const std::vector<QWidget *> shown = shownTargets();
    if (shown.empty() || !label->isVisible())
        return;
    carried_ = label;
    label->lift();
    announce(label, accessibleWord(QStringLiteral("PickedUp"), carriedDigit()));
    // The carry starts on the first box still empty.
    QWidget *first = shown.front();
    for (QWidget *t : shown) {
        if (auto *box = qobject_cast<QLabel *>(t); box && box->text().isEmpty()) {
            first = t;
            break;
        }
    }
    moveTo(first);
}

void DropTargets::moveTo(QWidget *target)
{
    const QPointer<QWidget> before = over_;
    over_ = target;
    QWidget *top = target->window();
    if (!ring_)
        ring_ = new CarryRing(top);
    ring_->surround(target);
    carried_->hover(target);
    // The control left and the one reached read differently now; the one
    // reached is read as it takes the focus.
    if (before && before != target) {
        announceNameChange(before);
        announce(target, accessibleWord(QStringLiteral("Over"), carriedDigit(), placeOf(target)));
    }
    announceNameChange(target);
    moving_ = true;
    target->setFocus(Qt::TabFocusReason);
    moving_ = false;
}

void DropTargets::step(int key)
{
    const std::vector<QWidget *> shown = shownTargets();
    if (shown.empty() || !over_) {
        putDown(End::Back);
        return;
    }
    const auto at = std::find(shown.begin(), shown.end(), over_.data());
    QWidget *next = nullptr;
    if (at == shown.end()) {
        next = shown.front();
    } else if (key == Qt::Key_Tab) {
        next = std::next(at) == shown.end() ? shown.front() : *std::next(at);
    } else if (key == Qt::Key_Backtab) {
        next = at == shown.begin() ? shown.back() : *std::prev(at);
    } else {
        next = nearest(shown, over_, key);
    }
    if (next)
        moveTo(next);
}

void DropTargets::putDown(End how)
{
    const QPointer<DragLabel> source = carried_;
    const QPointer<QWidget> target = over_;
    const QString digit = carriedDigit();
    carried_ = nullptr;
    over_ = nullptr;
    armed_ = nullptr;
    if (ring_)
        ring_->hide();
    if (target)
        announceNameChange(target);
    if (!source)
        return;
    source->putDown();
    if (how == End::Lost)
        return;
    QWidget *top = source->window();
    if (how == End::Drop && target && source->dragMode() && source->isVisible()) {
        const QString place = placeOf(target);
        dropOn(source, target);
        // The window may have closed, or moved the focus on to what comes
        // next (an answer box): the child goes there.
        if (!source || !target)
            return;
        const bool taken = !source->dragMode() || !source->isVisible();
        announce(top, accessibleWord(QString::fromLatin1(taken ? "PutIn" : "NotTaken"), digit, place));
        if (target->window()->focusWidget() != target)
            return;
    } else {
        announce(top, accessibleWord(QStringLiteral("PutBack"), digit));
    }
    // Not taken (or put back): the label keeps the focus, to be tried again.
    if (source->dragMode() && source->isVisible())
        source->setFocus(Qt::OtherFocusReason);
    else
        focusAfter(source);
}
