#pragma once

#include "frame/FittingLabel.h"

// The instruction for the step the child is at (Label3 of the array windows
// and of the dot lattice): dark words on a pale card, wrapped, so they read
// well on any background colour, and whole on a small screen.
class Istruzione : public FittingLabel {
    Q_OBJECT
public:
    explicit Istruzione(const QString &caption);
};
