#pragma once

#include <QPushButton>
#include <QTextLayout>

// The program's own push button: large, rounded, in the friendly typeface,
// light enough to read on any of the random backgrounds, with a clear hover,
// pressed, focus and disabled look. It behaves as any push button.
//
// Its caption is always whole: on a small screen the button shrinks but its
// font does not, so the caption is drawn in the largest size, down to a
// smallest readable one, at which every word stays whole and the lines fit
// the face. Lines break between the parts of a caption ("... - with
// exchanging", "(answer up to 99)") rather than inside one, unless that
// costs much size.
// font() stays as set.
class RoundButton : public QPushButton {
    Q_OBJECT
public:
    explicit RoundButton(const QString &caption = QString(), QWidget *parent = nullptr);

    // The caption as drawn at the button's present size: its font, the room
    // it is laid out in (the face of the button up) and its number of lines.
    QFont captionFont() const;
    QRectF captionRoom() const;
    int captionLines() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Face {
        qreal rim;
        qreal lift;
        QRectF face;   // the button up
        qreal radius;
    };
    Face face() const;
    // Lays the caption out again when its text, font or room changed.
    void layOutCaption() const;

    mutable QTextLayout caption_;   // the caption as last laid out
    mutable QFont captionFont_;     // the font it is drawn in
    mutable qreal captionHeight_ = 0;
    mutable QFont fittedFor_;       // font() when it was laid out
    mutable QString fittedText_;
    mutable QSizeF fittedRoom_;
    mutable int captionLines_ = 0;
};
