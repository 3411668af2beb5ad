#pragma once

#include <QWidget>

// The ring that marks, for the keyboard, a digit that has the focus or is
// carried and the control it would be dropped on: dark and light together, so
// it shows on every background. It stands around the control, a little
// outside it, so that it never covers the digit it marks; it lets the mouse
// through.
class CarryRing : public QWidget {
    Q_OBJECT
public:
    explicit CarryRing(QWidget *window);

    // Shows the ring around control (a control of the ring's window), above
    // the controls near it.
    void surround(const QWidget *control);

protected:
    void paintEvent(QPaintEvent *event) override;
};
