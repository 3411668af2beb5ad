#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <vector>

class CarryRing;
class DragLabel;
class QKeyEvent;
class QWidget;

// The receiving side of dragging inside one window: which controls take a
// drop, and what each does with the control dropped on it. dropOn() is the one
// way a drop arrives, from the mouse or a finger (a DragLabel's release), from
// the keyboard and from tests.
//
// The keyboard carries too. Tab reaches a label whose drag mode is on; Space
// or Enter picks it up and takes the focus to a control that takes drops;
// Tab, Shift+Tab and the arrow keys move among those shown; Space or Enter
// drops the label there and Escape puts it back. Both keys act when released,
// like the window's buttons, so the Enter that drops never reaches the answer
// box the window opens next. A screen reader hears each pick-up, move and
// drop, and reads the control under the label as carrying it.
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

    // The targets control takes drops in; null for a control that takes none.
    static const DropTargets *of(const QWidget *control);
    // What a screen reader reads for target, whose own reading (its title and
    // its digit) is own: the place and whether it is empty, and the digit
    // carried over it.
    QString reading(const QWidget *target, const QString &own) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyEvent(QObject *watched, const QKeyEvent *event);
    void pickUp(DragLabel *label);
    void moveTo(QWidget *target);
    void step(int key);
    enum class End { Drop, Back, Lost };
    void putDown(End how);
    std::vector<QWidget *> shownTargets() const;
    QString carriedDigit() const;

    std::map<const QWidget *, Handler> handlers_;
    std::vector<QWidget *> targets_;   // in the order they were added
    QPointer<DragLabel> carried_;
    QPointer<QWidget> over_;
    QPointer<CarryRing> ring_;   // marks over_
    QPointer<QObject> armed_;    // Space or Enter went down here
    bool moving_ = false;        // the focus is being moved by the carry itself
};
