#pragma once

#include "platform/Speaker.h"
#include "platform/SpeechEngine.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

// How the speaker bounds its texts in time.
struct SpeechTimings {
    // A text that cannot start this long after its time is dropped: a
    // sentence heard well after the sound it follows belongs to an exercise
    // the child may have left already. Long enough for a worker held up by
    // a busy machine, short against the seconds an engine takes to start.
    int lateLimitMs = 1500;
    // An utterance still going after three times its expected length plus
    // this margin is stopped: an engine whose audio output is gone can stay
    // "speaking" for half a minute and hold up every text after it.
    int watchdogMarginMs = 2000;
    // Characters read per second at rate 0, on the slow side.
    double charsPerSecond = 12;
};

using SpeechEngineFactory = std::function<std::unique_ptr<SpeechEngine>()>;

// The speaker's side on its own thread: makes the engine there, chooses the
// voice, starts each text at its time and watches it. Reached only through
// queued calls; answers through readinessChanged.
class SpeechWorker final : public QObject {
    Q_OBJECT
public:
    SpeechWorker(SpeechEngineFactory makeEngine, SpeechTimings timings);
    ~SpeechWorker() override;

    // Makes the engine (slow) and applies the voice wished so far.
    void start();
    void setVoice(const VoiceWish &wish);
    // Reads text from dueMs (monotonic milliseconds, see nowMs()), cutting
    // whatever is read or waiting; an empty text only cuts.
    void say(const QString &text, qint64 dueMs);
    void stop();
    // Stops and destroys the engine, then ends the thread's event loop and
    // deletes this worker as the thread finishes.
    void shutDown();

    static qint64 nowMs();

signals:
    void readinessChanged(Speaker::Readiness readiness);

private:
    void begin();
    void watchdogExpired();
    void applyVoice();
    // Lets an engine in error go now, while nothing waits for this thread:
    // closing one can take seconds (Qt's speech-dispatcher plugin tries to
    // reach its server again as it closes).
    void dropEngine();
    void cut();
    void setReadiness(Speaker::Readiness readiness);

    SpeechEngineFactory makeEngine_;
    SpeechTimings timings_;
    std::unique_ptr<SpeechEngine> engine_;
    VoiceWish wish_;
    Speaker::Readiness readiness_ = Speaker::Readiness::Starting;
    bool started_ = false;
    bool heardStart_ = false; // the engine said it started the text last begun
    QString pending_;
    qint64 dueMs_ = 0;
    QTimer startTimer_;
    QTimer watchdog_;
};
