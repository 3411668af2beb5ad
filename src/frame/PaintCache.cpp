#include "frame/PaintCache.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

void drawCached(QPainter &painter, const QRect &target, const QString &key,
                const std::function<void(QPainter &, const QRectF &)> &draw)
{
    if (target.isEmpty())
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QString fullKey =
        QStringLiteral("%1@%2x%3x%4").arg(key).arg(target.width()).arg(target.height()).arg(ratio);
    QPixmap picture;
    if (!QPixmapCache::find(fullKey, &picture)) {
        picture = QPixmap(target.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, QRectF(QPointF(0, 0), QSizeF(target.size())));
        p.end();
        QPixmapCache::insert(fullKey, picture);
    }
    painter.drawPixmap(target.topLeft(), picture);
}
