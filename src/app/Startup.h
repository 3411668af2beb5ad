#pragma once

#include <functional>

class QWidget;

// The first code of a run: refuses a second copy (false: the program ends),
// otherwise fixes the exit question, turns sounds on and shows the splash.
bool Main();

// Asks whether to end the program and ends it on Yes.
void ConfermaUscita(QWidget *parent);

// Makes the shipped fonts available under the names the layouts use.
void registerFonts();

// Runs work once, as soon as the first window of the run is on the screen:
// what the first window does not need (the theme's window icon, the sound
// stream, the speech engine) must not keep the child waiting for it.
void afterFirstWindowShows(std::function<void()> work);
