#pragma once

#include <QString>

// Whether the speaker can read: it is ready, or still starting (a text said
// meanwhile is the speaker's to read or to drop). Without a speech engine or
// a voice for the language nothing is asked of it.
bool canReadAloud();

// Reads text aloud after afterMs milliseconds, cutting whatever is being
// read, when the speaker can. An empty text asks nothing.
void readAloud(const QString &text, int afterMs = 0);
