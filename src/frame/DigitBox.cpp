#include "frame/DigitBox.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QRegularExpressionValidator>

DigitBox::DigitBox(QWidget *parent) : QLineEdit(parent)
{
    // Guards paste, drop and input methods, which bypass keyPressEvent.
    static const QRegularExpression digits(QStringLiteral("[0-9]*"));
    setValidator(new QRegularExpressionValidator(digits, this));
    setAlignment(Qt::AlignCenter);
    // A box is disabled once its answer is right: the answer must stay dark
    // and clear on the box's own face, not fade to grey.
    QPalette p = palette();
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(20, 24, 60));
    p.setColor(QPalette::Disabled, QPalette::Base, p.color(QPalette::Active, QPalette::Base));
    setPalette(p);
}

bool DigitBox::SoloCifre(QChar c)
{
    return c == QChar(8) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

void DigitBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
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
    if (hasFocus() || hasSelectedText() || !hasFrame()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter p(this);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    const QRect face = rect();
    // A rim and the face as two plain fills: far cheaper than a stroked rectangle.
    p.fillRect(face, palette().color(group, QPalette::Window).darker(160));
    p.fillRect(face.adjusted(1, 1, -1, -1), palette().brush(group, QPalette::Base));

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
    p.setClipRect(face.adjusted(1, 1, -1, -1));
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
