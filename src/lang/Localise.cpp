#include "lang/Localise.h"

#include "lang/Language.h"
#include "lang/Voice.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>
#include <memory>

QString captionOf(const QObject *control)
{
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title();
    if (auto *action = qobject_cast<const QAction *>(control))
        return action->text();
    return {};
}

bool setCaptionOf(QObject *control, const QString &caption)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setText(caption);
    else if (auto *frame = qobject_cast<QGroupBox *>(control))
        frame->setTitle(caption);
    else if (auto *action = qobject_cast<QAction *>(control))
        action->setText(caption);
    else
        return false;
    return true;
}

namespace {

void setToolTipOf(QObject *control, const QString &tip)
{
    if (auto *widget = qobject_cast<QWidget *>(control))
        widget->setToolTip(tip);
    else if (auto *action = qobject_cast<QAction *>(control))
        action->setToolTip(tip);
}

// Lets pending events run between the controls of a walk while holding back
// the child's input until the walk is over: a click or a close request
// delivered mid-walk could close, and so destroy, the window being
// translated. Input from the window system stays queued through
// ExcludeUserInputEvents; input that was posted to the application queue is
// caught here and posted again, in its order, when the walk ends.
//
// Running the event loop costs far more than translating one control, so
// between controls it runs after the first one, then only once a few
// milliseconds have passed: the screen keeps painting through a long walk,
// and a short one is not slowed.
class InputHold final : public QObject {
public:
    ~InputHold() override
    {
        for (auto &[receiver, event] : held_) {
            if (receiver)
                QCoreApplication::postEvent(receiver, event.release());
        }
    }

    void letPendingEventsRun()
    {
        constexpr qint64 kEventsEveryMs = 4;
        QCoreApplication *app = QCoreApplication::instance();
        if (!app || (sinceEventsRan_.isValid() && sinceEventsRan_.elapsed() < kEventsEveryMs))
            return;
        app->installEventFilter(this);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        app->removeEventFilter(this);
        sinceEventsRan_.start();
    }

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        // A close request of the window system reaches the window's QWindow;
        // code closing a widget sends its close event to the widget itself.
        const bool closeRequest = event->type() == QEvent::Close && receiver->isWindowType();
        if (!event->isInputEvent() && !closeRequest)
            return false;
        held_.push_back({receiver, std::unique_ptr<QEvent>(event->clone())});
        return true;
    }

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
    QElapsedTimer sinceEventsRan_;
};

} // namespace

void MLSLocaliseForm(QWidget *window, const std::vector<QObject *> &controls)
{
    const QString section = window->objectName();
    // The file is looked at once for the whole walk.
    const QString file = languageFile();
    const SectionReader keys(file, section);

    // The language's locale is the program's: assistive technology reads it
    // as the locale of the application, to pick a voice that speaks its words.
    const QString locale = voiceOfLanguageFile(file).locale;
    if (!locale.isEmpty() && QLocale(locale) != QLocale())
        QLocale::setDefault(QLocale(locale));

    if (!window->windowTitle().isEmpty())
        window->setWindowTitle(keys.value(section + QStringLiteral(".Caption")));
    window->setProperty("tag", keys.value(section + QStringLiteral(".Tag")));

    InputHold hold;
    for (QObject *control : controls) {
        QString key = control->objectName();
        const QVariant index = control->property("index");
        if (index.isValid())
            key += QLatin1Char('(') + QString::number(index.toInt()) + QLatin1Char(')');

        const QString caption = keys.value(key + QStringLiteral(".Caption"));
        if (!caption.isEmpty())
            setCaptionOf(control, caption);
        const QString tip = keys.value(key + QStringLiteral(".ToolTipText"));
        if (!tip.isEmpty())
            setToolTipOf(control, tip);
        const QString tag = keys.value(key + QStringLiteral(".Tag"));
        if (!tag.isEmpty())
            control->setProperty("tag", tag);
        // What a screen reader calls the control; menu items are read by
        // their captions.
        if (auto *widget = qobject_cast<QWidget *>(control)) {
            const QString name = keys.value(key + QStringLiteral(".AccessibleName"));
            if (!name.isEmpty())
                widget->setAccessibleName(name);
        }
        if (auto *tabs = qobject_cast<QTabWidget *>(control)) {
            const QString tabKey = control->objectName() + QStringLiteral(".TabCaption(");
            for (int i = 0; i < tabs->count(); ++i)
                tabs->setTabText(i, keys.value(tabKey + QString::number(i) + QLatin1Char(')')));
        }

        // Keeps the screen painting during a long walk.
        hold.letPendingEventsRun();
    }
}

std::vector<QString> languageFileNames(const QString &folder)
{
    std::vector<QString> names;
    // Case counts: the language layer opens "<name>.lng" and nothing else, so
    // a "Name.LNG" offered here would be a language whose every text is empty.
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::CaseSensitive, QDir::Unsorted);
    for (const QString &file : files)
        names.push_back(file.left(file.size() - 4));
    return names;
}
