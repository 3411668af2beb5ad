#include "exercises/pictures/RoundedLabel.h"

#include <QPainter>
#include <QPixmapCache>
#include <QTextDocument>
#include <cmath>
#include <vector>

namespace {

const QColor kCard(255, 253, 244);
const QColor kBorder(200, 191, 168);
const QColor kInk(30, 42, 74);
constexpr qreal kBorderWidth = 2;

// A line of text laid out for a font, shared by every label that shows it:
// the row of numbers is the same in each picture window, so a new window
// lays none of it out again. Few entries; kept to the end of the program.
QStaticText preparedLine(const QString &text, const QFont &font)
{
    struct Entry {
        QString text;
        QFont font;
        QStaticText line;
    };
    static auto *entries = new std::vector<Entry>;
    for (const Entry &entry : *entries) {
        if (entry.text == text && entry.font == font)
            return entry.line;
    }
    QStaticText line(text);
    line.setTextFormat(Qt::PlainText);
    line.prepare(QTransform(), font);
    if (entries->size() >= 64)
        entries->erase(entries->begin());
    entries->push_back({text, font, line});
    return line;
}

void drawCard(QPainter &painter, const QRectF &area, int radius)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kBorder, kBorderWidth));
    painter.setBrush(kCard);
    const qreal half = kBorderWidth / 2;
    painter.drawRoundedRect(area.adjusted(half, half, -half, -half), radius, radius);
}

// The four corners of a card of that radius, on a transparent ground so that
// they suit any window colour: antialiased outlines are the dearest thing
// these windows paint, so they are drawn once for all labels and colours.
QPixmap cardCorners(int radius, int corner, qreal ratio)
{
    const QString key = QStringLiteral("RoundedLabel corners r%1 @%2").arg(radius).arg(ratio);
    QPixmap corners;
    if (QPixmapCache::find(key, &corners))
        return corners;
    const int side = 2 * corner + 2;
    corners = QPixmap(QSize(side, side) * ratio);
    corners.setDevicePixelRatio(ratio);
    corners.fill(Qt::transparent);
    QPainter painter(&corners);
    drawCard(painter, QRectF(0, 0, side, side), radius);
    painter.end();
    QPixmapCache::insert(key, corners);
    return corners;
}

} // namespace

void RoundedLabel::paintCard(QPainter &painter) const
{
    // The straight edges are whole pixels of border: plain fills, between
    // the four corners copied from the shared drawing.
    const qreal ratio = devicePixelRatioF();
    const int corner = radius_ + int(kBorderWidth);
    const int w = width();
    const int h = height();
    const int b = int(kBorderWidth);
    if (ratio != std::floor(ratio) || w < 2 * corner || h < 2 * corner) {
        drawCard(painter, QRectF(rect()), radius_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        return;
    }
    painter.fillRect(QRect(corner, 0, w - 2 * corner, b), kBorder);
    painter.fillRect(QRect(corner, h - b, w - 2 * corner, b), kBorder);
    painter.fillRect(QRect(0, corner, b, h - 2 * corner), kBorder);
    painter.fillRect(QRect(w - b, corner, b, h - 2 * corner), kBorder);
    painter.fillRect(QRect(corner, b, w - 2 * corner, corner - b), kCard);
    painter.fillRect(QRect(b, corner, w - 2 * b, h - 2 * corner), kCard);
    painter.fillRect(QRect(corner, h - corner, w - 2 * corner, corner - b), kCard);
    const QPixmap corners = cardCorners(radius_, corner, ratio);
    const int far = corners.width() - int(corner * ratio);
    const QRect piece(0, 0, int(corner * ratio), int(corner * ratio));
    painter.drawPixmap(QRect(0, 0, corner, corner), corners, piece);
    painter.drawPixmap(QRect(w - corner, 0, corner, corner), corners, piece.translated(far, 0));
    painter.drawPixmap(QRect(0, h - corner, corner, corner), corners, piece.translated(0, far));
    painter.drawPixmap(QRect(w - corner, h - corner, corner, corner), corners, piece.translated(far, far));
}

RoundedLabel::RoundedLabel(const QString &text, int radius, QWidget *parent) : QLabel(text, parent), radius_(radius)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, kInk);
    setPalette(p);
}

void RoundedLabel::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    paintCard(painter);
    if (wordWrap() || Qt::mightBeRichText(text())) {
        painter.end();
        QLabel::paintEvent(event);
        return;
    }
    // Laid out again only when the text or the font (scaled by the
    // resizer) has changed; the size below must be that of this layout.
    if (line_.text() != text() || lineFont_ != font()) {
        lineFont_ = font();
        line_ = preparedLine(text(), lineFont_);
    }
    painter.setFont(lineFont_);
    painter.setPen(palette().color(foregroundRole()));
    const QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QSizeF size = line_.size();
    const Qt::Alignment a = alignment();
    const qreal x = a & Qt::AlignHCenter ? box.x() + (box.width() - size.width()) / 2
                    : a & Qt::AlignRight ? box.right() + 1 - size.width()
                                         : box.x();
    const qreal y = a & Qt::AlignVCenter ? box.y() + (box.height() - size.height()) / 2
                    : a & Qt::AlignBottom ? box.bottom() + 1 - size.height()
                                          : box.y();
    painter.drawStaticText(QPointF(x, y), line_);
}
