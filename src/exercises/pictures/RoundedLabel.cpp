#include "exercises/pictures/RoundedLabel.h"

#include <QPainter>

namespace {

const QColor kCard(255, 253, 244);
const QColor kBorder(200, 191, 168);
const QColor kInk(30, 42, 74);
constexpr qreal kBorderWidth = 2;

} // namespace

RoundedLabel::RoundedLabel(const QString &text, int radius, QWidget *parent) : QLabel(text, parent), radius_(radius)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, kInk);
    setPalette(p);
}

void RoundedLabel::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kBorder, kBorderWidth));
        painter.setBrush(kCard);
        const qreal half = kBorderWidth / 2;
        painter.drawRoundedRect(QRectF(rect()).adjusted(half, half, -half, -half), radius_, radius_);
    }
    QLabel::paintEvent(event);
}
