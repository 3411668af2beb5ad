#pragma once

#include "platform/Speaker.h"
#include "platform/SpeechWorker.h"

class QThread;

// Reads aloud through a speech engine on a thread of its own: every call
// here posts to that thread and returns at once, and the readiness comes back
// by a queued signal, so a slow or stuck engine never holds up the caller.
class SystemSpeaker final : public Speaker {
public:
    // makeEngine runs on the speaker's thread at start(); by default the
    // speech-dispatcher engine.
    explicit SystemSpeaker(SpeechEngineFactory makeEngine = speechDispatcherEngine, SpeechTimings timings = {});
    // Waits a moment for the engine to close; an engine stuck beyond that
    // is left to the end of the process rather than waited for.
    ~SystemSpeaker() override;

    Readiness readiness() const override;
    void start() override;
    void setVoice(const VoiceWish &wish) override;
    void say(const QString &text, int afterMs = 0) override;
    void stop() override;

    static std::unique_ptr<SpeechEngine> speechDispatcherEngine();

private:
    QThread *thread_;
    SpeechWorker *worker_;
    VoiceWish wish_; // the last wish, for the worker at start()
    Readiness readiness_ = Readiness::Starting;
};
