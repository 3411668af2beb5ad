#pragma once

#include "platform/Speaker.h"

#include <QString>

// How a language file says it is read aloud, in its section [Voice]:
//   Locale="it_IT"                    the language and country
//   Voices="silvia, Italian"          voices to prefer, first installed wins
//   Rate="-0.15"                      -1 slowest, 0 the voice's own, 1 fastest
// Names are separated by commas, blanks around them ignored. A rate that is
// not a number reads as 0, one beyond -1 or 1 as that end.
VoiceWish voiceOfLanguageFile(const QString &file);

// The wish of the language of the moment (languageFile()).
VoiceWish voiceOfLanguage();
