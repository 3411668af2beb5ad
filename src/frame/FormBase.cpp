#include "frame/FormBase.h"

#include "frame/Accessibility.h"
#include "frame/Outline.h"
#include "frame/Twips.h"
#include "lang/Localise.h"
#include "platform/ProgramState.h"
#include "resize/clsResize.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>

namespace {

// Return and keypad Enter press a focused push button, as Space does: the
// button goes down on the press and is clicked on the release. It must see
// both. An answer is judged when Enter is released and the focus moves to
// "avanti" in that moment, so that release alone never presses it.
class EnterPressesButtons final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Checked, not assumed: a button being destroyed still sends events
        // (hide, focus out) once it is no longer a push button.
        auto *button = qobject_cast<QPushButton *>(watched);
        if (!button)
            return false;
        const QEvent::Type type = event->type();
        if (type == QEvent::FocusOut || type == QEvent::EnabledChange || type == QEvent::Hide) {
            release(button, false);
            return false;
        }
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->isAutoRepeat())
            return true;
        if (type == QEvent::KeyPress) {
            armed_ = button;
            button->setDown(true);
        } else {
            release(button, armed_ == button);
        }
        return true;
    }

private:
    void release(QPushButton *button, bool click)
    {
        if (armed_ != button)
            return;
        armed_ = nullptr;
        button->setDown(false);
        if (click)
            button->click();
    }

    QPointer<QPushButton> armed_;
};

} // namespace

FormBase::FormBase(const QString &name, const QString &title, QSize innerTwips)
    : area_(new QWidget(this)), designInner_(tw(innerTwips.width()), tw(innerTwips.height()))
{
    installAccessibility();
    setObjectName(name);
    setWindowTitle(title);
    setAutoFillBackground(true);
    area_->setObjectName(QStringLiteral("area"));
    area_->resize(designInner_);
    outlineFadingChildren(area_);
}

FormBase::~FormBase()
{
    if (stateInstalled() && state().resizer && state().resizer->SourceForm == this)
        state().resizer.reset();
}

QMenuBar *FormBase::menuBar()
{
    if (!menuBar_) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);   // the bar belongs to the full-screen window
        menuBar_->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 12, false));
        inkMenuBar();
    }
    return menuBar_;
}

QObject *FormBase::control(const QString &name, int index) const
{
    for (QObject *c : controls_) {
        if (c->objectName() != name)
            continue;
        const QVariant i = c->property("index");
        if ((index < 0 && !i.isValid()) || (i.isValid() && i.toInt() == index))
            return c;
    }
    return nullptr;
}

void FormBase::setBackground(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    if (menuBar_)
        inkMenuBar();
}

// The bar shows the window's colour: its words take the ink that reads on it.
void FormBase::inkMenuBar()
{
    const QColor ink = inkOn(background());
    QPalette p = menuBar_->palette();
    if (p.color(QPalette::ButtonText) == ink && p.isBrushSet(QPalette::Active, QPalette::ButtonText))
        return;
    p.setColor(QPalette::ButtonText, ink);
    p.setColor(QPalette::WindowText, ink);
    menuBar_->setPalette(p);
}

QColor FormBase::background() const
{
    return palette().color(QPalette::Window);
}

void FormBase::load()
{
    beforeLocalise();
    const int bar = menuBar_ ? menuBar_->sizeHint().height() : 0;
    resize(designInner_.width(), designInner_.height() + bar);
    layOutChrome();

    MLSLocaliseForm(this, controls_);
    afterLocalise();

    auto resizer = std::make_shared<clsResize>();
    resizer->SourceForm = this;
    state().resizer = resizer;
    resizer->SizeFormToScreen(75);

    afterLoad();
}

void FormBase::activate()
{
    const QSize screen = state().platform.screen->size();
    const QSize before = size();
    setOuterGeometry(QRect(QPoint(0, 0), screen));
    // A shown window that changed its size has scaled its controls already.
    const bool scaled = isVisible() && size() != before;
    if (!scaled && state().resizer && state().resizer->SourceForm == this)
        state().resizer->ResizeControls();
    afterActivate();
    // A child working with the keyboard alone starts on the first control
    // that takes it, unless the window's own step chose one.
    if (!focusWidget()) {
        for (QObject *c : controls_) {
            auto *w = qobject_cast<QWidget *>(c);
            if (w && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this)) {
                w->setFocus();
                break;
            }
        }
    }
}

void FormBase::goTo(const QString &name)
{
    if (openWindow(name))
        close();
}

QSize FormBase::innerSize() const
{
    return area_->size();
}

void FormBase::setOuterGeometry(const QRect &outer)
{
    // The window manager's frame is part of the outer size.
    const QSize decorations = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
    move(outer.topLeft());
    resize(outer.size() - decorations);
    layOutChrome();
}

void FormBase::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOutChrome();
    if (stateInstalled() && state().resizer && state().resizer->SourceForm == this)
        state().resizer->ResizeControls();
}

void FormBase::layOutChrome()
{
    int top = 0;
    if (menuBar_) {
        const int h = menuBar_->heightForWidth(width());
        top = h > 0 ? h : menuBar_->sizeHint().height();
        menuBar_->setGeometry(0, 0, width(), top);
    }
    area_->setGeometry(0, top, width(), qMax(0, height() - top));
}

void FormBase::addControl(QObject *control, const QString &name, int index)
{
    control->setObjectName(name);
    if (index >= 0)
        control->setProperty("index", index);
    controls_.push_back(control);
}

void FormBase::moveControlToEnd(QObject *control)
{
    const auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it != controls_.end())
        std::rotate(it, it + 1, controls_.end());
}

void FormBase::placeControl(QWidget *widget, const QString &name, int left, int top, int width,
                            int height, int index)
{
    if (!widget->parentWidget())
        widget->setParent(area_);
    widget->setGeometry(tw(left), tw(top), tw(width), tw(height));
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        if (!enterPresses_)
            enterPresses_ = new EnterPressesButtons(this);
        button->installEventFilter(enterPresses_);
    }
    addControl(widget, name, index);
}

QAction *FormBase::addMenuCommand(const QString &name, const QString &caption)
{
    QAction *action = menuBar()->addAction(caption);
    addControl(action, name);
    return action;
}

QMenu *FormBase::addMenuHeading(const QString &name, const QString &caption)
{
    QMenu *menu = menuBar()->addMenu(caption);
    addControl(menu->menuAction(), name);
    return menu;
}

QAction *FormBase::addMenuItem(QMenu *menu, const QString &name, const QString &caption, int index)
{
    QAction *action = menu->addAction(caption);
    addControl(action, name, index);
    return action;
}

QFont FormBase::layoutFont(const QString &family, double points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

FormBase *openWindow(const QString &name)
{
    const auto it = state().windows.find(name);
    if (it == state().windows.end() || !it->second)
        return nullptr;
    FormBase *window = it->second();
    if (!window)
        return nullptr;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->load();
    window->show();
    window->activate();
    return window;
}

bool windowIsBuilt(const QString &name)
{
    const auto it = state().windows.find(name);
    return it != state().windows.end() && it->second;
}
