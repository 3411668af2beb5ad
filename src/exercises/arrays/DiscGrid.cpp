#include "exercises/arrays/DiscGrid.h"

#include "frame/Outline.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

DiscGrid::DiscGrid(int count, int columns, const QColor &colour)
    : columns_(columns), colour_(colour), shown_(static_cast<std::size_t>(count), false)
{
}

QSize DiscGrid::twipsSize(int count, int columns)
{
    const int rows = (count + columns - 1) / columns;
    return {(columns - 1) * kPitch + kDiameter, (rows - 1) * kPitch + kDiameter};
}

void DiscGrid::showRange(int first, int last)
{
    last = std::min(last, count() - 1);
    for (int i = std::max(first, 0); i <= last; ++i)
        shown_[static_cast<std::size_t>(i)] = true;
    changed();
}

void DiscGrid::hideAll()
{
    std::fill(shown_.begin(), shown_.end(), false);
    changed();
}

int DiscGrid::shownCount() const
{
    return static_cast<int>(std::count(shown_.begin(), shown_.end(), true));
}

void DiscGrid::hideFirstShown(int n)
{
    for (std::size_t i = 0; i < shown_.size() && n > 0; ++i) {
        if (shown_[i]) {
            shown_[i] = false;
            --n;
        }
    }
    changed();
}

bool DiscGrid::showFirstHidden()
{
    const auto hidden = std::find(shown_.begin(), shown_.end(), false);
    if (hidden == shown_.end())
        return false;
    *hidden = true;
    changed();
    return true;
}

void DiscGrid::changed()
{
    // A screen reader tells how many discs are on show.
    setAccessibleDescription(QString::number(shownCount()));
    update();
}

void DiscGrid::paintEvent(QPaintEvent *)
{
    const QSize design = twipsSize(count(), columns_);
    const double sx = static_cast<double>(width()) / design.width();
    const double sy = static_cast<double>(height()) / design.height();
    double radius = kDiameter / 2.0 * std::min(sx, sy);

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Discs that would vanish on the window's colour get a rim that does not.
    const QColor rim = parentWidget() ? outlineFor(colour_, parentWidget()->palette().color(QPalette::Window)) : QColor();
    if (rim.isValid()) {
        const double rimWidth = std::max(2.0, radius / 6);
        p.setPen(QPen(rim, rimWidth));
        radius -= rimWidth / 2;   // the rim stays inside the disc's place
    } else {
        p.setPen(Qt::NoPen);
    }
    p.setBrush(colour_);
    for (int i = 0; i < count(); ++i) {
        if (!isShown(i))
            continue;
        const double cx = ((i % columns_) * kPitch + kDiameter / 2.0) * sx;
        const double cy = ((i / columns_) * kPitch + kDiameter / 2.0) * sy;
        p.drawEllipse(QPointF(cx, cy), radius, radius);
    }
}

bool DiscGrid::event(QEvent *event)
{
    // The tooltip comes from the language file; screen readers read it as
    // the name of the grid.
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(toolTip());
    return QWidget::event(event);
}
