#include "frame/Accessibility.h"

#include "frame/DragLabel.h"
#include "frame/DropTargets.h"
#include "frame/FormBase.h"
#include "frame/Icons.h"
#include "lang/Language.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

// The object name of the label that carries a window's news to a screen
// reader (announce()).
const QString kNoticeName = QStringLiteral("notice");
// The property of that label holding the news not told yet.
constexpr char kPendingNews[] = "pendingNews";

bool standIn = false;

// Every label of the program. One with an accessible name is read as that
// name, its title, followed by its text; one without, by its text. The
// toolkit asks for a label's reader while the label is being built, before
// any name is set, so the reader decides at each reading. A digit to drag and
// a box it is dropped in are buttons, so that a screen reader speaks them
// when they take the focus: the digit with how to pick it up, the box with
// whether it is empty and what is carried over it.
class TitledLabel final : public QAccessibleWidget {
public:
    explicit TitledLabel(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::Role role() const override
    {
        if (qobject_cast<const DragLabel *>(label()) || DropTargets::of(label()))
            return QAccessible::PushButton;
        // A notification that becomes showing is what a screen reader speaks
        // wherever the focus is; a label's showing or renaming it ignores.
        if (label()->objectName() == kNoticeName)
            return QAccessible::Notification;
        const bool picture = qobject_cast<const IconLabel *>(label()) || !label()->pixmap().isNull();
        return picture ? QAccessible::Graphic : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString own = titled();
        if (const auto *digit = qobject_cast<const DragLabel *>(label()); digit && digit->dragMode())
            return accessibleWord(QStringLiteral("Draggable"), own);
        if (const DropTargets *drops = DropTargets::of(label()))
            return drops->reading(label(), own);
        return own;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

private:
    const QLabel *label() const { return static_cast<const QLabel *>(widget()); }

    QString titled() const
    {
        const QString title = widget()->accessibleName();
        const QString shown = label()->text().simplified();
        if (title.isEmpty())
            return shown;
        return shown.isEmpty() || shown == title ? title : title + u' ' + shown;
    }
};

QAccessibleInterface *programAccessible(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    // A plain top-level widget would be a "filler"; QAccessibleWidget names
    // a window by its title.
    if (qobject_cast<FormBase *>(widget))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (auto *label = qobject_cast<QLabel *>(widget))
        return new TitledLabel(label);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(programAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

QString accessibleWord(const QString &key, const QString &first, const QString &second)
{
    QString word = MLSReadIni(languageFile(), QStringLiteral("Accessible"), key);
    return first.isNull() ? word : fillWord(word, first, second);
}

QString fillWord(QString word, const QString &first, const QString &second)
{
    word.replace(QLatin1String("%1"), first);
    word.replace(QLatin1String("%2"), second);
    return word;
}

void announceNameChange(QWidget *widget)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

bool screenReaderListening()
{
    return standIn || QAccessible::isActive();
}

void standInForScreenReader(bool on)
{
    standIn = on;
}

void announce(QWidget *from, const QString &text)
{
    if (!from || text.isEmpty() || !screenReaderListening())
        return;
    QWidget *window = from->window();
    auto *notice = window->findChild<QLabel *>(kNoticeName, Qt::FindDirectChildrenOnly);
    if (!notice) {
        // No size: it is there for assistive technology alone, and it is
        // made only when assistive technology is listening. Its reader is
        // asked for when it joins the window, once it is a named label.
        notice = new QLabel;
        notice->setObjectName(kNoticeName);
        notice->setParent(window);
        notice->setGeometry(0, 0, 0, 0);
        notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    // The news of one turn of the event loop (a digit dropped, then the step
    // it completed) is told as one notification, once the turn is over: a
    // screen reader reads a notification's text only after it is told of
    // it, so a second notification at once would take the first one's words.
    const QString pending = notice->property(kPendingNews).toString();
    notice->setProperty(kPendingNews, joinedNews(pending, text));
    if (!pending.isEmpty())
        return;
    QMetaObject::invokeMethod(
        notice,
        [notice] {
            // Shown anew each time, so that the same words twice ("wrong",
            // "wrong") are spoken twice.
            notice->hide();
            notice->setText(notice->property(kPendingNews).toString());
            notice->setProperty(kPendingNews, QString());
            notice->show();
        },
        Qt::QueuedConnection);
}

QString joinedNews(const QString &first, const QString &second)
{
    if (first.isEmpty() || second.isEmpty())
        return first + second;
    const QChar last = first.back();
    const bool ended = last == u'.' || last == u'!' || last == u'?' || last == u':';
    return first + (ended ? QStringLiteral(" ") : QStringLiteral(". ")) + second;
}
