#pragma once

class QWidget;

// The first code of a run: refuses a second copy (false: the program ends),
// otherwise fixes the exit question, turns sounds on and shows the splash.
bool Main();

// Asks whether to end the program and ends it on Yes.
void ConfermaUscita(QWidget *parent);

// Makes the shipped fonts available under the names the layouts use.
void registerFonts();
