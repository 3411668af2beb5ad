#pragma once

#include <QPushButton>

// A push button of the array windows whose focus shows as a thick dark ring,
// so a child playing from the keyboard sees which key Enter will press.
class Tasto : public QPushButton {
    Q_OBJECT
public:
    explicit Tasto(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
