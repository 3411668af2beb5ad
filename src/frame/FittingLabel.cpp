#include "frame/FittingLabel.h"

#include "frame/FontFit.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace {

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
    const auto fitsRoom = [&](const QFont &f) { return fits(f, room, flags, text()); };
    const int largest = QFontInfo(font()).pixelSize();
    fitted_ = font();
    if (fitsRoom(fitted_) || largest <= kSmallestReadablePixels)
        return fitted_;
    fitted_.setPixelSize(std::max(largestFittingPixelSize(font(), largest, fitsRoom), kSmallestReadablePixels));
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
