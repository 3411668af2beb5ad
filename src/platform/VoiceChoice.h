#pragma once

#include "platform/SpeechEngine.h"
#include "platform/Speaker.h"

#include <optional>
#include <vector>

// The voice to read a language with: the first of the wish's voices that is
// available (names compared without regard to case), whatever its locale;
// else the first voice of the wish's locale from espeak-ng, the synthesizer
// every machine with speech has; else the first voice of that locale from
// any synthesizer; else none.
std::optional<SpeechVoice> chooseVoice(const VoiceWish &wish, const std::vector<SpeechVoice> &available);
