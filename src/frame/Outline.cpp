#include "frame/Outline.h"

#include <QEvent>
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

class OutlinePainter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        auto *parent = static_cast<QWidget *>(watched);
        const QColor ground = parent->palette().color(parent->backgroundRole());
        // Thick enough to be seen on a full screen, a few pixels at most.
        const int width = std::max(2, parent->height() / 320);
        std::vector<std::pair<QRect, QColor>> rims;
        for (QObject *object : parent->children()) {
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
            return false;
        // Where two rims meet (a carry close to its box), the larger control
        // keeps its own: drawn last.
        std::stable_sort(rims.begin(), rims.end(), [](const auto &a, const auto &b) {
            return a.first.width() * a.first.height() < b.first.width() * b.first.height();
        });
        QPainter p(parent);
        // Each child covers all but the rim of its fill.
        for (const auto &[rect, outline] : rims)
            p.fillRect(rect, outline);
        return false;
    }
};

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
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
    parent->installEventFilter(new OutlinePainter(parent));
}
