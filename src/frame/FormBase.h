#pragma once

#include "resize/ResizableForm.h"

#include <QFont>
#include <QWidget>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

// The base of every window. It runs the life every window shares:
//   load()      localise from the language file, take over the program's
//               resizer and size to 75 % of the screen, centred;
//   activate()  fill the screen (the resizer scales the controls);
//   resizing    scale the controls from the recorded layout;
// and holds the window's controls in their control order, with their names
// and array indexes, for localisation and the resizer.
//
// A window builds its controls in its constructor, in layout units (twips),
// inside area(); it adds its own steps through the protected hooks. Return
// and keypad Enter press every push button placed with add() that has the
// focus, exactly like a click.
class FormBase : public QWidget, public ResizableForm {
    Q_OBJECT
public:
    // name: the window's name ("FormMenu"), which is also its section in the
    // language files; title: the layout's title; inner: the design size of the
    // inside of the window in twips.
    FormBase(const QString &name, const QString &title, QSize innerTwips);
    ~FormBase() override;

    void load();
    void activate();

    QWidget *area() const { return area_; }
    QMenuBar *menuBar();

    // The controls in their control order.
    const std::vector<QObject *> &controls() const { return controls_; }
    QObject *control(const QString &name, int index = -1) const;

    // Background colour of the window (and of what shows through).
    void setBackground(const QColor &colour);
    QColor background() const;

    // Opens the window registered under name and then closes this one, so
    // exactly one window is open. Does nothing when name is not built.
    void goTo(const QString &name);

    // ResizableForm
    QWidget *formWidget() override { return this; }
    QSize innerSize() const override;
    const std::vector<QObject *> &formControls() const override { return controls_; }
    void setOuterGeometry(const QRect &outer) override;

protected:
    virtual void beforeLocalise() {}
    // Right after localisation: names for assistive technology that follow
    // from the localised captions or from shared words.
    virtual void afterLocalise() {}
    virtual void afterLoad() {}
    virtual void afterActivate() {}

    void resizeEvent(QResizeEvent *event) override;

    // Adds a control to the window: named, placed in twips inside parent
    // (area() when null) and listed in control order. index >= 0 makes it an
    // element of a control array.
    template <class T>
    T *add(T *widget, const QString &name, int left, int top, int width, int height, int index = -1)
    {
        placeControl(widget, name, left, top, width, height, index);
        return widget;
    }
    // Lists an object that was created elsewhere (a menu item, a line).
    void addControl(QObject *control, const QString &name, int index = -1);
    // Moves a listed control to the end of the control order.
    void moveControlToEnd(QObject *control);

    // A command on the menu bar itself (no drop-down).
    QAction *addMenuCommand(const QString &name, const QString &caption);
    // A drop-down heading on the menu bar and an item under it.
    QMenu *addMenuHeading(const QString &name, const QString &caption);
    QAction *addMenuItem(QMenu *menu, const QString &name, const QString &caption, int index = -1);

    static QFont layoutFont(const QString &family, double points, bool bold = true);

private:
    void placeControl(QWidget *widget, const QString &name, int left, int top, int width, int height,
                      int index);
    void layOutChrome();
    void inkMenuBar();

    QWidget *area_;
    QMenuBar *menuBar_ = nullptr;
    QObject *enterPresses_ = nullptr;   // lets Enter press the window's push buttons
    QSize designInner_;
    std::vector<QObject *> controls_;
};

// Makes, loads, shows and activates the window registered under name.
// Returns null (and opens nothing) when no window of that name is built.
FormBase *openWindow(const QString &name);

// True when a window of that name can be opened.
bool windowIsBuilt(const QString &name);
