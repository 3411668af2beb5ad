#include "frame/FittingLabel.h"

#include <QPainter>
#include <QStyle>

namespace {

// Below this a child can no longer read the words; the text is then drawn
// at this size and what still does not fit is cut.
constexpr int kSmallestPixels = 10;

bool fits(const QFont &font, const QRect &room, int flags, const QString &text)
{
    const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, room.width(), 1 << 20), flags, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

} // namespace

FittingLabel::FittingLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setWordWrap(true);
}

QRect FittingLabel::textRoom() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

QFont FittingLabel::paintedFont() const
{
    const QRect room = textRoom();
    if (text() == fittedText_ && room.size() == fittedSize_ && font() == fittedFor_)
        return fitted_;
    fittedText_ = text();
    fittedSize_ = room.size();
    fittedFor_ = font();

    const int flags = Qt::TextWordWrap | int(alignment());
    const int largest = QFontInfo(font()).pixelSize();
    QFont candidate = font();
    fitted_ = font();
    if (fits(fitted_, room, flags, text()) || largest <= kSmallestPixels)
        return fitted_;
    // The largest pixel size in [smallest, largest) that fits, halving the
    // range: a handful of measurements even for a large font.
    int low = kSmallestPixels, high = largest - 1;
    fitted_.setPixelSize(kSmallestPixels);
    while (low <= high) {
        const int middle = (low + high) / 2;
        candidate.setPixelSize(middle);
        if (fits(candidate, room, flags, text())) {
            fitted_ = candidate;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return fitted_;
}

void FittingLabel::paintEvent(QPaintEvent *event)
{
    const QFont drawn = paintedFont();
    if (drawn == font()) {
        QLabel::paintEvent(event);
        return;
    }
    // The frame and background as a label draws them, then the words in the
    // fitted size.
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(drawn);
    style()->drawItemText(&painter, textRoom(), Qt::TextWordWrap | int(alignment()), palette(), isEnabled(), text(),
                          foregroundRole());
}
