#pragma once

#include <QLineEdit>
#include <QStaticText>

// An answer box that takes only the digits 0 to 9 and Backspace from the
// keyboard (SoloCifre); pasted or dropped text gets in only when it is all
// digits. Enter inserts nothing: releasing it emits enterReleased(). When
// disabled, it looks shut (a dashed rim in the ink of its face) while its
// text stays dark and readable on that face.
class DigitBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DigitBox(QWidget *parent = nullptr);

    // The face the box shows while disabled (by default its enabled face
    // muted towards grey), with an ink that keeps the answer readable on it.
    // A window that colours its boxes for every state keeps its colours and
    // shows a shut box by the rim alone.
    void setDisabledFace(const QColor &face);

    // Whether a typed character may reach the box.
    static bool SoloCifre(QChar c);

    // The ink an answer is written in on a face, readable on it: dark ink
    // where it reads well enough (a contrast of 4.5 to 1), else black, else
    // white on the darkest faces. For numbers drawn as the boxes draw them.
    static QColor readableInk(const QColor &face);

    // After a wrong answer: the kept digits are selected, so the next digit
    // typed replaces them, while Backspace first takes off only the last one.
    // The first click into the box before any key selects them all again
    // rather than placing the cursor, so typing after it replaces them too.
    void offerRetry();

Q_SIGNALS:
    void enterReleased();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void keepDisabledReadable();

    QStaticText shown_;   // the text as last laid out for painting
    QFont shownFont_;
    bool retrySelected_ = false;   // the whole text is selected by offerRetry()
    bool retryClickAwaited_ = false;   // no click nor key since offerRetry()
};

// The number formed by the leading digits of text; 0 when there are none.
// Read as a real number, so no length of digits can overflow it.
double leadingNumber(const QString &text);
