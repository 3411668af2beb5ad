#include "frame/PaintCache.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

namespace {

// Appends n in base 10 or 16 without a string of its own: a key is built at
// every paint of every control that draws through the cache.
void appendNumber(QString &to, quint64 n, unsigned base = 10)
{
    char16_t digits[20];
    int first = 20;
    do {
        const auto d = static_cast<char16_t>(n % base);
        digits[--first] = d < 10 ? char16_t(u'0' + d) : char16_t(u'a' + d - 10);
        n /= base;
    } while (n != 0);
    to.append(reinterpret_cast<const QChar *>(digits + first), 20 - first);
}

} // namespace

void drawCached(QPainter &painter, const QRect &target, const QString &key,
                const std::function<void(QPainter &, const QRectF &)> &draw, const QColor &backdrop)
{
    if (target.isEmpty())
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QString fullKey;
    fullKey.reserve(key.size() + 48);
    fullKey.append(key);
    fullKey.append(u'@');
    appendNumber(fullKey, static_cast<quint64>(target.width()));
    fullKey.append(u'x');
    appendNumber(fullKey, static_cast<quint64>(target.height()));
    fullKey.append(u'x');
    appendNumber(fullKey, static_cast<quint64>(qRound64(ratio * 1000)));   // thousandths
    fullKey.append(u'#');
    appendNumber(fullKey, backdrop.rgba(), 16);
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
