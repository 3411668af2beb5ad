#pragma once

#include <QLabel>

// A word-wrapped label whose text is always whole: when the text would not
// fit the label at its own font (a long instruction on a small screen, where
// the window shrinks but fonts do not), it is drawn in the largest smaller
// size that fits. The label's font() stays as set, so the layout and the
// screen reader see the label as any other.
class FittingLabel : public QLabel {
    Q_OBJECT
public:
    explicit FittingLabel(const QString &text = QString(), QWidget *parent = nullptr);

    // The font the text is drawn in at the label's present size.
    QFont paintedFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Where the words go: inside the frame and the margin.
    QRect textRoom() const;

    // The fit is measured again only when text, size or font changed.
    mutable QString fittedText_;
    mutable QSize fittedSize_;
    mutable QFont fittedFor_;
    mutable QFont fitted_;
};
