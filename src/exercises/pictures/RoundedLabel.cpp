#include "exercises/pictures/RoundedLabel.h"

#include <QPainter>
#include <QPixmapCache>

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
    // A row of equal labels shares one drawn card: antialiased outlines are
    // the dearest thing these windows paint.
    const qreal ratio = devicePixelRatioF();
    const QString key =
        QStringLiteral("RoundedLabel %1x%2 r%3 @%4").arg(width()).arg(height()).arg(radius_).arg(ratio);
    QPixmap card;
    if (!QPixmapCache::find(key, &card)) {
        card = QPixmap(size() * ratio);
        card.setDevicePixelRatio(ratio);
        card.fill(Qt::transparent);
        QPainter painter(&card);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kBorder, kBorderWidth));
        painter.setBrush(kCard);
        const qreal half = kBorderWidth / 2;
        painter.drawRoundedRect(QRectF(rect()).adjusted(half, half, -half, -half), radius_, radius_);
        painter.end();
        QPixmapCache::insert(key, card);
    }
    QPainter(this).drawPixmap(0, 0, card);
    QLabel::paintEvent(event);
}
