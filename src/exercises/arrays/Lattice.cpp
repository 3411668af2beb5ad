#include "exercises/arrays/Lattice.h"

#include "exercises/arrays/DiscGrid.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

const QColor kLineColour(0, 0, 192);
const QColor kDotColour(255, 0, 0);
const QColor kSheet(255, 255, 255, 110);
constexpr double kLineWidth = 2;   // pixels at the design size

// The centre of dot row or column i, in twips from the widget's edge.
double centre(int i)
{
    return Lattice::kOverhang + i * DiscGrid::kPitch;
}

} // namespace

Lattice::Lattice() = default;

QSize Lattice::twipsSize()
{
    const int side = 2 * kOverhang + (kLines - 1) * DiscGrid::kPitch;
    return {side, side};
}

void Lattice::setLinee(int orizzontali, int verticali)
{
    orizzontali_ = std::clamp(orizzontali, 0, kLines);
    verticali_ = std::clamp(verticali, 0, kLines);
    update();
}

void Lattice::paintEvent(QPaintEvent *)
{
    const QSize design = twipsSize();
    const double sx = static_cast<double>(width()) / design.width();
    const double sy = static_cast<double>(height()) / design.height();
    const double scale = std::min(sx, sy);

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A pale sheet shows where the lines will go before the first is drawn.
    p.setPen(Qt::NoPen);
    p.setBrush(kSheet);
    p.drawRoundedRect(QRectF(rect()), 8, 8);
    // Twips map to pixels at the design size 15 to 1; the pen keeps its
    // width in proportion.
    p.setPen(QPen(kLineColour, std::max(kLineWidth, kLineWidth * scale * 15), Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < verticali_; ++i)
        p.drawLine(QPointF(centre(i) * sx, 0), QPointF(centre(i) * sx, height()));
    for (int i = 0; i < orizzontali_; ++i)
        p.drawLine(QPointF(0, centre(i) * sy), QPointF(width(), centre(i) * sy));

    p.setPen(Qt::NoPen);
    p.setBrush(kDotColour);
    const double radius = DiscGrid::kDiameter / 2.0 * scale;
    for (int r = 0; r < orizzontali_; ++r) {
        for (int c = 0; c < verticali_; ++c)
            p.drawEllipse(QPointF(centre(c) * sx, centre(r) * sy), radius, radius);
    }
}

bool Lattice::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(toolTip());
    return QWidget::event(event);
}
