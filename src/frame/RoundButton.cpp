#include "frame/RoundButton.h"

#include "frame/PaintCache.h"

#include <QPainter>

namespace {

// A warm palette that stands out from every background of the colour table:
// cream faces, a deep blue rim and ink, an orange ring for the keyboard focus.
const QColor kFace(255, 253, 244);
const QColor kHoverFace(255, 241, 189);
const QColor kPressedFace(255, 222, 128);
const QColor kRim(44, 62, 140);
const QColor kInk(26, 34, 84);
const QColor kShadow(0, 0, 0, 70);
const QColor kFocusRing(255, 140, 26);
const QColor kDisabledFace(236, 236, 236, 215);
const QColor kDisabledRim(150, 150, 160);
const QColor kDisabledInk(105, 105, 115);

} // namespace

RoundButton::RoundButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setAttribute(Qt::WA_Hover);   // repaint as the pointer comes and goes
    setCursor(Qt::PointingHandCursor);
}

void RoundButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const bool enabled = isEnabled();
    const bool pressed = enabled && isDown();
    const bool hover = enabled && underMouse();
    const bool focus = enabled && hasFocus();
    const qreal rim = std::max(2.0, height() / 22.0);
    const qreal lift = std::max(2.0, height() / 16.0);   // the shadow under a raised button
    const QRectF outer = QRectF(rect()).adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2 - lift);
    const QRectF face = outer.translated(0, pressed ? lift : 0);
    const qreal radius = std::min(face.height() / 2.2, 28.0);

    drawCached(p, rect(), QStringLiteral("round-%1%2%3%4").arg(enabled).arg(pressed).arg(hover).arg(focus),
               [&](QPainter &q, const QRectF &) {
                   if (enabled && !pressed) {
                       q.setPen(Qt::NoPen);
                       q.setBrush(kShadow);
                       q.drawRoundedRect(face.translated(0, lift), radius, radius);
                   }
                   const QColor fill = !enabled ? kDisabledFace : pressed ? kPressedFace : hover ? kHoverFace : kFace;
                   QLinearGradient shade(face.topLeft(), face.bottomLeft());   // a soft, rounded look
                   shade.setColorAt(0, fill.lighter(104));
                   shade.setColorAt(1, fill.darker(104));
                   q.setBrush(shade);
                   q.setPen(QPen(enabled ? kRim : kDisabledRim, rim));
                   q.drawRoundedRect(face, radius, radius);
                   if (focus) {
                       q.setBrush(Qt::NoBrush);
                       q.setPen(QPen(kFocusRing, rim, Qt::DashLine, Qt::RoundCap));
                       const qreal inset = rim * 2.2;
                       q.drawRoundedRect(face.adjusted(inset, inset, -inset, -inset), radius - inset / 2,
                                         radius - inset / 2);
                   }
               });

    if (!icon().isNull()) {
        const QSize size = iconSize().scaled(face.size().toSize() * 0.8, Qt::KeepAspectRatio);
        QRect target(QPoint(0, 0), size);
        target.moveCenter(face.center().toPoint());
        icon().paint(&p, target, Qt::AlignCenter, enabled ? QIcon::Normal : QIcon::Disabled);
    }
    if (text().isEmpty())
        return;
    // The caption is laid out once, wrapped to the face, and redrawn from its
    // layout: a keypad has a dozen buttons to paint at every step.
    const qreal margin = radius / 2 + rim;
    const QRectF room = face.adjusted(margin, rim, -margin, -rim);
    if (caption_.text() != text() || captionFont_ != font() || caption_.textWidth() != room.width()) {
        caption_.setText(text());
        caption_.setTextFormat(Qt::PlainText);
        caption_.setTextOption(QTextOption(Qt::AlignHCenter));
        caption_.setTextWidth(room.width());
        caption_.prepare(QTransform(), font());
        captionFont_ = font();
    }
    p.setPen(enabled ? kInk : kDisabledInk);
    p.setFont(font());
    p.setClipRect(face);
    const QSizeF size = caption_.size();
    p.drawStaticText(QPointF(room.left(), room.center().y() - size.height() / 2), caption_);
}
