#pragma once

#include <QPixmap>

// The feedback pictures, drawn rather than loaded so they stay sharp at any
// size the resizer gives them.
QPixmap yesIcon();   // a green disc with a white tick
QPixmap noIcon();    // a red disc with a white cross
QPixmap lampIcon();  // a golden magic lamp, for the help button
