#include "resize/clsResize.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

#include "platform/ProgramState.h"

namespace {

// A line carries its end points as the properties x1, y1, x2 and y2.
bool isLine(const QObject *ctl)
{
    return ctl->metaObject()->indexOfProperty("x1") >= 0;
}

int scaled(int recorded, double ratio)
{
    return static_cast<int>(std::lround(recorded * ratio));
}

} // namespace

clsResize::~clsResize()
{
    layout_.clear();
    SourceForm = nullptr;
}

unsigned clsResize::adjustmentsOfTag(const QString &tag)
{
    if (!tag.startsWith(QLatin1Char('@')))
        return All;
    const QString upper = tag.toUpper();
    unsigned mask = 0;
    if (upper.contains(QLatin1Char('L')))
        mask |= Left;
    if (upper.contains(QLatin1Char('T')))
        mask |= Top;
    if (upper.contains(QLatin1Char('W')))
        mask |= Width;
    if (upper.contains(QLatin1Char('H')))
        mask |= Height;
    return mask;
}

void clsResize::RecordLayout()
{
    const QSize inner = SourceForm->innerSize();
    recordedScaleWidth_ = inner.width();
    recordedScaleHeight_ = inner.height();

    layout_.clear();
    const auto &controls = SourceForm->formControls();
    layout_.reserve(controls.size());
    for (QObject *ctl : controls) {
        ControlLayout rec;
        rec.Ctl = ctl;
        if (isLine(ctl)) {
            rec.isLine = true;
            rec.Left = ctl->property("x1").toInt();
            rec.Top = ctl->property("y1").toInt();
            rec.Width = ctl->property("x2").toInt();
            rec.Height = ctl->property("y2").toInt();
        } else if (auto *w = qobject_cast<QWidget *>(ctl)) {
            const QRect g = w->geometry();
            rec.Left = g.x();
            rec.Top = g.y();
            rec.Width = g.width();
            rec.Height = g.height();
        }
        layout_.push_back(rec);
    }
    layoutPending_ = false;
}

void clsResize::ReInitialise()
{
    if (SourceForm)
        RecordLayout();
}

void clsResize::SizeFormToScreen(std::uint8_t percent)
{
    if (!SourceForm)
        return;
    if (layoutPending_)
        RecordLayout();
    const QSize screen = state().platform.screen->size();
    const int h = static_cast<int>(std::floor(percent / 100.0 * screen.height()));
    const int w = static_cast<int>(std::floor(percent / 100.0 * screen.width()));
    SourceForm->setOuterGeometry(QRect((screen.width() - w) / 2, (screen.height() - h) / 2, w, h));
    ResizeControls();
}

void clsResize::ResizeControls()
{
    if (!SourceForm)
        return;
    QWidget *form = SourceForm->formWidget();
    if (SourceForm->formControls().empty() || form->isMinimized())
        return;
    if (layoutPending_) {
        RecordLayout();
        return;
    }
    if (recordedScaleWidth_ <= 0 || recordedScaleHeight_ <= 0)
        return;

    const QSize inner = SourceForm->innerSize();
    const double ry = static_cast<double>(inner.height()) / recordedScaleHeight_;
    const double rx = static_cast<double>(inner.width()) / recordedScaleWidth_;

    // One repaint for the whole walk instead of one per control.
    const bool updates = form->updatesEnabled();
    form->setUpdatesEnabled(false);
    for (const ControlLayout &rec : layout_) {
        QObject *ctl = rec.Ctl.data();
        if (!ctl)
            continue;   // destroyed since it was recorded
        const unsigned adjust = adjustmentsOfTag(ctl->property("tag").toString());
        if (rec.isLine) {
            if (adjust & Left)
                ctl->setProperty("x1", scaled(rec.Left, rx));
            if (adjust & Top)
                ctl->setProperty("y1", scaled(rec.Top, ry));
            if (adjust & Width)
                ctl->setProperty("x2", scaled(rec.Width, rx));
            if (adjust & Height)
                ctl->setProperty("y2", scaled(rec.Height, ry));
        } else if (auto *w = qobject_cast<QWidget *>(ctl)) {
            QRect g = w->geometry();
            if (adjust & Left)
                g.moveLeft(scaled(rec.Left, rx));
            if (adjust & Top)
                g.moveTop(scaled(rec.Top, ry));
            if (adjust & Width)
                g.setWidth(scaled(rec.Width, rx));
            if (adjust & Height)
                g.setHeight(scaled(rec.Height, ry));
            w->setGeometry(g);
        }
    }
    form->setUpdatesEnabled(updates);
}
