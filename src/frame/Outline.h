#pragma once

#include <QColor>

class QWidget;

// The contrast ratio of two colours as the accessibility guidelines define
// it: 1 for the same colour, 21 for black on white.
double contrastRatio(const QColor &a, const QColor &b);

// Black or white, whichever reads better on ground: words in it reach at
// least 4.5 to 1 on any colour.
QColor inkOn(const QColor &ground);

// What a control whose face is face needs around it to stand out from the
// ground it is shown on: nothing (an invalid colour) when the face itself
// stands out (3 to 1), else black or white, whichever stands out from both.
QColor outlineFor(const QColor &face, const QColor &ground);

// Draws, behind the children of parent, an outline around every child whose
// own face (a filled background, an answer box's face) would vanish on
// parent's colour. Follows every change of colour by itself: the choice is
// made each time parent is painted.
void outlineFadingChildren(QWidget *parent);
