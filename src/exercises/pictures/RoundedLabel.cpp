#include "exercises/pictures/RoundedLabel.h"

#include <QPainter>
#include <QPixmapCache>
#include <QTextDocument>
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
    // the dearest thing these windows paint. The card's corners take the
    // window's colour, so it is copied rather than blended.
    const qreal ratio = devicePixelRatioF();
    const QColor behind = palette().color(QPalette::Window);
    const QString key = QStringLiteral("RoundedLabel %1x%2 r%3 @%4 %5")
                            .arg(width())
                            .arg(height())
                            .arg(radius_)
                            .arg(ratio)
                            .arg(behind.rgba());
    QPixmap card;
    if (!QPixmapCache::find(key, &card)) {
        card = QPixmap(size() * ratio);
        card.setDevicePixelRatio(ratio);
        card.fill(behind);
        QPainter painter(&card);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kBorder, kBorderWidth));
        painter.setBrush(kCard);
        const qreal half = kBorderWidth / 2;
        painter.drawRoundedRect(QRectF(rect()).adjusted(half, half, -half, -half), radius_, radius_);
        painter.end();
        QPixmapCache::insert(key, card);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, card);
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
