#pragma once

#include <QString>
#include <functional>
#include <vector>

// One voice an engine offers: the name it lists it by, its locale ("it_IT")
// and the synthesizer behind it ("espeak-ng"; empty when unknown).
struct SpeechVoice {
    QString name;
    QString locale;
    QString synthesizer;
    friend bool operator==(const SpeechVoice &, const SpeechVoice &) = default;
};

// A speech synthesizer as the speaker's worker thread drives it. It is made,
// used and destroyed on that thread alone, and any call may take long.
class SpeechEngine {
public:
    enum class State { Ready, Speaking, Error };

    virtual ~SpeechEngine() = default;
    virtual State state() const = 0;
    // The voices of every locale of the language of locale: for "en_GB"
    // those of en_GB, en_US and the other English locales.
    virtual std::vector<SpeechVoice> voices(const QString &locale) = 0;
    // A voice that voices() listed.
    virtual void setVoice(const SpeechVoice &voice) = 0;
    // -1 slowest, 0 the voice's own, 1 fastest.
    virtual void setRate(double rate) = 0;
    // Starts reading text, cutting whatever is read.
    virtual void say(const QString &text) = 0;
    virtual void stop() = 0;

    // Called on the engine's thread whenever state() changes.
    std::function<void(State)> stateChanged;
};
