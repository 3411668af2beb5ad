#include "frame/RoundButton.h"

#include "frame/FontFit.h"
#include "frame/PaintCache.h"

#include <QPainter>
#include <QTextLayout>

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

// A caption keeps its brackets whole down to this share of the size it
// could have with a line break anywhere between words.
constexpr int kGluedSizePercent = 85;

// The caption with its blanks made unbreakable except between its parts: a
// line may then break only after a dash joining two parts ("... - with
// exchanging") and around a bracket. Runs of blanks count as one.
QString glued(const QString &caption)
{
    QString text = caption.simplified();
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'(')
            ++depth;
        else if (c == u')')
            depth = std::max(0, depth - 1);
        if (c != u' ')
            continue;
        const bool afterDash = i >= 2 && text.at(i - 1) == u'-' && text.at(i - 2) == u' ';
        const bool aroundBracket = (i + 1 < text.size() && text.at(i + 1) == u'(') || text.at(i - 1) == u')';
        if (depth > 0 || (!afterDash && !aroundBracket))
            text[i] = QChar(0x00A0);
    }
    return text;
}

// text wrapped between words to room's width, as the caption is drawn: it
// fits when no word sticks out and the lines are no higher than room.
bool fitsIn(const QString &text, const QFont &font, const QSizeF &room)
{
    QTextLayout layout(text, font);
    layout.setTextOption(QTextOption(Qt::AlignHCenter));
    layout.beginLayout();
    qreal height = 0;
    bool wide = false;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(room.width());
        wide = wide || line.naturalTextWidth() > room.width();
        height += line.height();
    }
    layout.endLayout();
    return !wide && height <= room.height();
}

} // namespace

RoundButton::RoundButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setAttribute(Qt::WA_Hover);   // repaint as the pointer comes and goes
    setCursor(Qt::PointingHandCursor);
}

RoundButton::Face RoundButton::face() const
{
    const qreal rim = std::max(2.0, height() / 22.0);
    const qreal lift = std::max(2.0, height() / 16.0);   // the shadow under a raised button
    const QRectF face = QRectF(rect()).adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2 - lift);
    return {rim, lift, face, std::min(face.height() / 2.2, 28.0)};
}

QRectF RoundButton::captionRoom() const
{
    const Face f = face();
    const qreal margin = f.radius / 2 + f.rim;
    return f.face.adjusted(margin, f.rim, -margin, -f.rim);
}

QFont RoundButton::captionFont() const
{
    layOutCaption();
    return captionFont_;
}

int RoundButton::captionLines() const
{
    layOutCaption();
    return captionLines_;
}

void RoundButton::layOutCaption() const
{
    const QSizeF room = captionRoom().size();
    if (fittedText_ == text() && fittedFor_ == font() && fittedRoom_ == room)
        return;
    fittedText_ = text();
    fittedFor_ = font();
    fittedRoom_ = room;

    QString shown = glued(text());
    QFont drawn = font();
    if (!fitsIn(shown, drawn, room)) {
        // The caption cannot stay in its own size: the largest size that
        // fits, with its parts whole unless breaking them buys much more.
        const QString plain = text().simplified();
        const int below = QFontInfo(font()).pixelSize();
        const int whole = largestFittingPixelSize(drawn, below, [&](const QFont &f) { return fitsIn(shown, f, room); });
        const int any = largestFittingPixelSize(drawn, below, [&](const QFont &f) { return fitsIn(plain, f, room); });
        const bool keepParts = whole > 0 && whole * 100 >= any * kGluedSizePercent;
        if (!keepParts)
            shown = plain;
        drawn.setPixelSize(std::max(keepParts ? whole : any, kSmallestReadablePixels));
    }
    captionFont_ = drawn;
    caption_.setText(shown);
    caption_.setFont(drawn);
    caption_.setTextOption(QTextOption(Qt::AlignHCenter));
    caption_.setCacheEnabled(true);
    caption_.beginLayout();
    captionHeight_ = 0;
    captionLines_ = 0;
    for (QTextLine line = caption_.createLine(); line.isValid(); line = caption_.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(room.width());
        line.setPosition(QPointF(0, captionHeight_));
        captionHeight_ += line.height();
        ++captionLines_;
    }
    caption_.endLayout();
}

void RoundButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const bool enabled = isEnabled();
    const bool pressed = enabled && isDown();
    const bool hover = enabled && underMouse();
    const bool focus = enabled && hasFocus();
    const Face f = face();
    const qreal rim = f.rim;
    const qreal lift = f.lift;
    const QRectF face = f.face.translated(0, pressed ? lift : 0);
    const qreal radius = f.radius;

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
    // The caption is laid out once and redrawn from its layout: a keypad has
    // a dozen buttons to paint at every step.
    layOutCaption();
    const QRectF room = captionRoom().translated(0, pressed ? lift : 0);
    p.setPen(enabled ? kInk : kDisabledInk);
    p.setClipRect(face);
    caption_.draw(&p, QPointF(room.left(), room.center().y() - captionHeight_ / 2));
}
