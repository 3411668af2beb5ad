#include "frame/PaintCache.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

void drawCached(QPainter &painter, const QRect &target, const QString &key,
                const std::function<void(QPainter &, const QRectF &)> &draw, const QColor &backdrop)
{
    if (target.isEmpty())
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QString fullKey = key + u'@' + QString::number(target.width()) + u'x' + QString::number(target.height())
                            + u'x' + QString::number(ratio) + u'#' + QString::number(backdrop.rgba(), 16);
    QPixmap picture;
    if (!QPixmapCache::find(fullKey, &picture)) {
        picture = QPixmap(target.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(backdrop);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, QRectF(QPointF(0, 0), QSizeF(target.size())));
        p.end();
        QPixmapCache::insert(fullKey, picture);
    }
    painter.drawPixmap(target.topLeft(), picture);
}
