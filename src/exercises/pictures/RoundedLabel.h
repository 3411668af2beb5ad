#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QStaticText>

class QPainter;

// A label on a light card with a rounded border, drawn by hand: cheaper to
// make and paint than a style sheet on each of a row of labels. A single
// line of text is drawn from a laid-out static text, so a row of numbers
// costs little to paint again.
class RoundedLabel : public QLabel {
    Q_OBJECT
public:
    explicit RoundedLabel(const QString &text, int radius = 12, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintCard(QPainter &painter) const;

    int radius_;
    QStaticText line_;
    QFont lineFont_;
};
