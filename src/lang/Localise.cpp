#include "lang/Localise.h"

#include "lang/Language.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QVariant>
#include <QWidget>

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

} // namespace

void MLSLocaliseForm(QWidget *window, const std::vector<QObject *> &controls)
{
    const QString file = languageFile();
    const QString section = window->objectName();

    if (!window->windowTitle().isEmpty())
        window->setWindowTitle(MLSReadIni(file, section, section + QStringLiteral(".Caption")));
    window->setProperty("tag", MLSReadIni(file, section, section + QStringLiteral(".Tag")));

    for (QObject *control : controls) {
        QString key = control->objectName();
        const QVariant index = control->property("index");
        if (index.isValid())
            key += QLatin1Char('(') + QString::number(index.toInt()) + QLatin1Char(')');

        const QString caption = MLSReadIni(file, section, key + QStringLiteral(".Caption"));
        if (!caption.isEmpty())
            setCaptionOf(control, caption);
        const QString tip = MLSReadIni(file, section, key + QStringLiteral(".ToolTipText"));
        if (!tip.isEmpty())
            setToolTipOf(control, tip);
        const QString tag = MLSReadIni(file, section, key + QStringLiteral(".Tag"));
        if (!tag.isEmpty())
            control->setProperty("tag", tag);

        // Keep the screen painting during a long walk, but hold back the
        // child's clicks and keys: one delivered here could close the window
        // that is being translated.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

std::vector<QString> languageFileNames(const QString &folder)
{
    std::vector<QString> names;
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Unsorted);
    for (const QString &file : files)
        names.push_back(file.left(file.size() - 4));
    return names;
}
