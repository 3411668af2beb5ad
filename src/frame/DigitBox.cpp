#include "frame/DigitBox.h"

#include "frame/Outline.h"

#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QValidator>

#include <algorithm>
#include <utility>

namespace {

// Text made of the digits 0 to 9 only. Checked at every change of every
// box, a plain loop rather than a regular expression.
class DigitsOnly final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        for (const QChar c : input) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return Invalid;
        }
        return Acceptable;
    }
};

// The face of a shut box: the open face a quarter of the way to grey, so
// the two differ at a glance while the hue, and what it tells, stays.
QColor muted(const QColor &face)
{
    auto towardsGrey = [](int channel) { return (3 * channel + 128) / 4; };
    return QColor(towardsGrey(face.red()), towardsGrey(face.green()), towardsGrey(face.blue()));
}

// A rim of dashes as long as two rim widths, with gaps as long, starting at
// each corner: plain fills, as a window may show a hundred boxes.
void dashedRim(QPainter &p, const QRect &r, int width, const QColor &ink)
{
    const int dash = 2 * width;
    for (int x = r.left(); x <= r.right(); x += 2 * dash) {
        const int w = std::min(dash, r.right() + 1 - x);
        p.fillRect(x, r.top(), w, width, ink);
        p.fillRect(x, r.bottom() + 1 - width, w, width, ink);
    }
    for (int y = r.top(); y <= r.bottom(); y += 2 * dash) {
        const int h = std::min(dash, r.bottom() + 1 - y);
        p.fillRect(r.left(), y, width, h, ink);
        p.fillRect(r.right() + 1 - width, y, width, h, ink);
    }
}

} // namespace

// Remembered by face, as every change of a window's colour asks it again for
// each of its boxes.
QColor DigitBox::readableInk(const QColor &face)
{
    static QHash<QRgb, QRgb> inks;
    const QRgb key = face.rgba();
    if (const auto it = inks.constFind(key); it != inks.constEnd())
        return QColor::fromRgba(*it);
    QColor ink;
    for (const QColor &candidate : {QColor(20, 24, 60), QColor(Qt::black), QColor(Qt::white)}) {
        if (!ink.isValid() || contrastRatio(candidate, face) > contrastRatio(ink, face))
            ink = candidate;
        if (contrastRatio(ink, face) >= 4.5)
            break;
    }
    if (inks.size() >= 256)
        inks.clear();
    inks.insert(key, ink.rgba());
    return ink;
}

DigitBox::DigitBox(QWidget *parent) : QLineEdit(parent)
{
    // Guards paste, drop and input methods, which bypass keyPressEvent.
    setValidator(new DigitsOnly(this));
    setAlignment(Qt::AlignCenter);
    // A disabled box shows a muted copy of its own face, not the toolkit's
    // grey; a window may still give its disabled boxes a face of their own.
    setDisabledFace(muted(palette().color(QPalette::Active, QPalette::Base)));
}

void DigitBox::setDisabledFace(const QColor &face)
{
    // Face and ink in one change of palette.
    QPalette p = palette();
    p.setColor(QPalette::Disabled, QPalette::Base, face);
    p.setColor(QPalette::Disabled, QPalette::Text, readableInk(face));
    setPalette(p);
}

void DigitBox::keepDisabledReadable()
{
    // A box is disabled once its answer is right: the answer must stay clear
    // on the face the disabled box shows, not fade to grey.
    const QColor ink = readableInk(palette().color(QPalette::Disabled, QPalette::Base));
    if (palette().color(QPalette::Disabled, QPalette::Text) == ink)
        return;
    QPalette p = palette();
    p.setColor(QPalette::Disabled, QPalette::Text, ink);
    setPalette(p);
}

void DigitBox::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    // A window colouring the box sets a new palette; the disabled ink follows it.
    if (event->type() == QEvent::PaletteChange)
        keepDisabledReadable();
}

bool DigitBox::SoloCifre(QChar c)
{
    return c == QChar(8) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

void DigitBox::offerRetry()
{
    selectAll();
    retrySelected_ = true;
    retryClickAwaited_ = true;
}

void DigitBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !std::exchange(retryClickAwaited_, false)) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    // The press would place the cursor among the digits.
    selectAll();
    event->accept();
}

void DigitBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    retryClickAwaited_ = false;
    if (std::exchange(retrySelected_, false) && key == Qt::Key_Backspace && selectedText() == text())
        deselect();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        return;
    }
    if (key == Qt::Key_Backspace) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    const bool typesCharacter = !text.isEmpty() && text.at(0).isPrint();
    if (typesCharacter && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (text.size() == 1 && SoloCifre(text.at(0)))
            QLineEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    }
    // Moving the cursor, selecting, Delete, copy and paste (checked by the
    // validator) work as in any box.
    QLineEdit::keyPressEvent(event);
}

void DigitBox::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat())
        Q_EMIT enterReleased();
}

void DigitBox::paintEvent(QPaintEvent *event)
{
    // A box being typed in is drawn by the line edit, cursor and all. The
    // others, often a hundred cells of a table, show only their face and
    // their number, which costs a fraction of that.
    const bool shut = !isEnabled();
    if (!shut && (hasFocus() || hasSelectedText() || !hasFrame())) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter p(this);
    const QPalette::ColorGroup group = shut ? QPalette::Disabled : QPalette::Active;
    const QRect face = rect();
    int rim = 1;
    if (shut) {
        // Framed or not, a shut box says so all round, in the ink that is
        // readable on its face.
        rim = std::max(2, height() / 24);
        p.fillRect(face, palette().brush(group, QPalette::Base));
        dashedRim(p, face, rim, palette().color(group, QPalette::Text));
    } else {
        // A rim and the face as two plain fills: far cheaper than a stroked rectangle.
        p.fillRect(face, palette().color(group, QPalette::Window).darker(160));
        p.fillRect(face.adjusted(1, 1, -1, -1), palette().brush(group, QPalette::Base));
    }

    if (text().isEmpty())
        return;
    if (shown_.text() != text() || shownFont_ != font()) {
        shown_.setText(text());
        shown_.setTextFormat(Qt::PlainText);
        shown_.prepare(QTransform(), font());
        shownFont_ = font();
    }
    const QSizeF size = shown_.size();
    constexpr qreal kMargin = 3;
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    qreal x = (width() - size.width()) / 2;
    if (align & Qt::AlignLeft)
        x = kMargin;
    else if (align & Qt::AlignRight)
        x = width() - kMargin - size.width();
    p.setPen(palette().color(group, QPalette::Text));
    p.setFont(font());
    p.setClipRect(face.adjusted(rim, rim, -rim, -rim));
    p.drawStaticText(QPointF(x, (height() - size.height()) / 2), shown_);
}

double leadingNumber(const QString &text)
{
    double value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}
