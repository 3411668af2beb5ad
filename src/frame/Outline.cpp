#include "frame/Outline.h"

#include <QEvent>
#include <QResizeEvent>
#include <QHash>
#include <QLineEdit>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double luminance(const QColor &c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// The face a child shows of its own, or an invalid colour for a child that
// lets its parent's colour show (or paints a face the frame cannot read).
QColor faceOf(const QWidget *child)
{
    if (qobject_cast<const QLineEdit *>(child))
        return child->palette().color(child->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Base);
    if (child->autoFillBackground())
        return child->palette().color(child->backgroundRole());
    return {};
}

// Thick enough to be seen on a full screen, a few pixels at most.
int rimWidth(const QWidget *parent)
{
    return std::max(2, parent->height() / 320);
}

// Paints the rims behind the children of the widget it is made for, and
// has the rims repainted when a child changes what its rim depends on: the
// parent repaints only where it is told to, and a child's own repaint never
// reaches the rim around it.
class OutlinePainter final : public QObject {
public:
    explicit OutlinePainter(QWidget *parent) : QObject(parent), parent_(parent)
    {
        parent->installEventFilter(this);
        for (QObject *child : parent->children())
            watch(child);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent_) {
            if (event->type() == QEvent::Paint)
                paintRims();
            else if (event->type() == QEvent::ChildAdded)
                watch(static_cast<QChildEvent *>(event)->child());
            return false;
        }
        auto *child = static_cast<QWidget *>(watched);
        switch (event->type()) {
        case QEvent::Move:
            redrawRim(QRect(static_cast<QMoveEvent *>(event)->oldPos(), child->size()));
            redrawRim(child->geometry());
            break;
        case QEvent::Resize:
            redrawRim(QRect(child->pos(), static_cast<QResizeEvent *>(event)->oldSize()));
            redrawRim(child->geometry());
            break;
        case QEvent::PaletteChange:
        case QEvent::EnabledChange:
        case QEvent::Show:
        case QEvent::Hide:
            redrawRim(child->geometry());
            break;
        default:
            break;
        }
        return false;
    }

private:
    void watch(QObject *object)
    {
        if (object->isWidgetType())
            object->installEventFilter(this);
    }

    void redrawRim(const QRect &rect)
    {
        const int width = rimWidth(parent_);
        parent_->update(rect.adjusted(-width, -width, width, width));
    }

    void paintRims()
    {
        const QColor ground = parent_->palette().color(parent_->backgroundRole());
        const int width = rimWidth(parent_);
        std::vector<std::pair<QRect, QColor>> rims;
        for (QObject *object : parent_->children()) {
            auto *child = qobject_cast<QWidget *>(object);
            if (!child || !child->isVisible())
                continue;
            const QColor face = faceOf(child);
            if (!face.isValid() || face == ground)
                continue;
            if (const QColor outline = outlineFor(face, ground); outline.isValid())
                rims.emplace_back(child->geometry().adjusted(-width, -width, width, width), outline);
        }
        if (rims.empty())
            return;
        // Where two rims meet (a carry close to its box), the larger control
        // keeps its own: drawn last.
        std::stable_sort(rims.begin(), rims.end(), [](const auto &a, const auto &b) {
            return a.first.width() * a.first.height() < b.first.width() * b.first.height();
        });
        QPainter p(parent_);
        // Each child covers all but the rim of its fill.
        for (const auto &[rect, outline] : rims)
            p.fillRect(rect, outline);
    }

    QWidget *parent_;
};

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor inkOn(const QColor &ground)
{
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(black, ground) >= contrastRatio(white, ground) ? black : white;
}

// Remembered by pair of colours: a window asks for each of its controls at
// every painting.
QColor outlineFor(const QColor &face, const QColor &ground)
{
    static QHash<QPair<QRgb, QRgb>, QRgb> outlines;
    const auto key = qMakePair(face.rgb(), ground.rgb());
    if (const auto it = outlines.constFind(key); it != outlines.constEnd())
        return *it ? QColor(*it) : QColor();
    QColor outline;
    if (contrastRatio(face, ground) < 3) {
        const QColor black(Qt::black), white(Qt::white);
        auto weaker = [&](const QColor &c) { return std::min(contrastRatio(c, face), contrastRatio(c, ground)); };
        outline = weaker(black) >= weaker(white) ? black : white;
    }
    if (outlines.size() >= 1024)
        outlines.clear();
    outlines.insert(key, outline.isValid() ? outline.rgb() : 0);
    return outline;
}

void outlineFadingChildren(QWidget *parent)
{
    new OutlinePainter(parent);
}
