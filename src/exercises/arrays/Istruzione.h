#pragma once

#include <QLabel>

// The instruction for the step the child is at (Label3 of the array windows
// and of the dot lattice): dark words on a pale card, wrapped, so they read
// well on any background colour.
class Istruzione : public QLabel {
    Q_OBJECT
public:
    explicit Istruzione(const QString &caption);
};
