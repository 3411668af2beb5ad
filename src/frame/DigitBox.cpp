#include "frame/DigitBox.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

DigitBox::DigitBox(QWidget *parent) : QLineEdit(parent)
{
    // Guards paste, drop and input methods, which bypass keyPressEvent.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
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
