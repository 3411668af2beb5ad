#pragma once

#include "platform/SpeechEngine.h"

#include <QString>
#include <QVoice>
#include <map>
#include <memory>

class QTextToSpeech;

// A speech engine of Qt's text-to-speech plugins, named explicitly
// ("speechd") rather than left to Qt's choice. Making one is slow: the
// speech-dispatcher plugin lists every voice of every synthesizer (thousands
// with espeak-ng's variants) before it returns. A plugin that is missing or
// cannot reach its server reads as State::Error.
class QtSpeechEngine final : public SpeechEngine {
public:
    explicit QtSpeechEngine(const QString &engineName);
    ~QtSpeechEngine() override;

    State state() const override;
    std::vector<SpeechVoice> voices(const QString &locale) override;
    void setVoice(const SpeechVoice &voice) override;
    void setRate(double rate) override;
    void say(const QString &text) override;
    void stop() override;

private:
    // Not in error: Qt's plugin tries to reach its server again at every
    // call made in error, which takes up to seconds each time.
    bool usable() const;

    std::unique_ptr<QTextToSpeech> tts_;
    std::map<QString, QVoice> listed_; // the voices of the last voices(), by name
};
