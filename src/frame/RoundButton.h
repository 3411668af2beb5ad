#pragma once

#include <QPushButton>
#include <QStaticText>

// The program's own push button: large, rounded, in the friendly typeface,
// light enough to read on any of the random backgrounds, with a clear hover,
// pressed, focus and disabled look. It behaves as any push button.
class RoundButton : public QPushButton {
    Q_OBJECT
public:
    explicit RoundButton(const QString &caption = QString(), QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStaticText caption_;   // the caption as last laid out
    QFont captionFont_;
};
