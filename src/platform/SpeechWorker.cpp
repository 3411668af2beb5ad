#include "platform/SpeechWorker.h"

#include "platform/VoiceChoice.h"

#include <QThread>
#include <algorithm>
#include <chrono>
#include <utility>

SpeechWorker::SpeechWorker(SpeechEngineFactory makeEngine, SpeechTimings timings)
    : makeEngine_(std::move(makeEngine)), timings_(timings), startTimer_(this), watchdog_(this)
{
    startTimer_.setSingleShot(true);
    watchdog_.setSingleShot(true);
    connect(&startTimer_, &QTimer::timeout, this, &SpeechWorker::begin);
    connect(&watchdog_, &QTimer::timeout, this, &SpeechWorker::watchdogExpired);
}

SpeechWorker::~SpeechWorker() = default;

qint64 SpeechWorker::nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SpeechWorker::start()
{
    if (std::exchange(started_, true))
        return;
    engine_ = makeEngine_ ? makeEngine_() : nullptr;
    if (!engine_ || engine_->state() == SpeechEngine::State::Error) {
        setReadiness(Speaker::Readiness::NoEngine);
        dropEngine();
        return;
    }
    engine_->stateChanged = [this](SpeechEngine::State state) {
        switch (state) {
        case SpeechEngine::State::Speaking:
            heardStart_ = true;
            break;
        case SpeechEngine::State::Ready:
            // The end of the text last started; a Ready before its start
            // ends the one it cut.
            if (std::exchange(heardStart_, false))
                watchdog_.stop();
            break;
        case SpeechEngine::State::Error:
            setReadiness(Speaker::Readiness::NoEngine);
            QMetaObject::invokeMethod(this, &SpeechWorker::dropEngine, Qt::QueuedConnection);
            break;
        }
    };
    applyVoice();
}

void SpeechWorker::dropEngine()
{
    watchdog_.stop();
    engine_.reset();
}

void SpeechWorker::setVoice(const VoiceWish &wish)
{
    wish_ = wish;
    if (engine_ && readiness_ != Speaker::Readiness::NoEngine)
        applyVoice();
}

void SpeechWorker::applyVoice()
{
    const std::optional<SpeechVoice> voice = chooseVoice(wish_, engine_->voices(wish_.locale));
    if (!voice) {
        setReadiness(Speaker::Readiness::NoVoice);
        return;
    }
    engine_->setVoice(*voice);
    engine_->setRate(wish_.rate);
    setReadiness(Speaker::Readiness::Ready);
}

void SpeechWorker::say(const QString &text, qint64 dueMs)
{
    cut();
    if (readiness_ != Speaker::Readiness::Ready || text.isEmpty())
        return;
    pending_ = text;
    dueMs_ = dueMs;
    constexpr qint64 kDay = 24 * 3600 * 1000;
    startTimer_.start(static_cast<int>(std::clamp<qint64>(dueMs - nowMs(), 0, kDay)));
}

void SpeechWorker::begin()
{
    const QString text = std::exchange(pending_, QString());
    if (text.isEmpty() || readiness_ != Speaker::Readiness::Ready || nowMs() - dueMs_ > timings_.lateLimitMs)
        return;
    heardStart_ = false;
    engine_->say(text);
    const double slowing = 1 + 0.55 * std::min(wish_.rate, 0.0); // rate -1 reads at about half the speed
    const double expectedMs = 1000 * text.size() / (timings_.charsPerSecond * slowing);
    watchdog_.start(static_cast<int>(3 * expectedMs) + timings_.watchdogMarginMs);
}

void SpeechWorker::watchdogExpired()
{
    // Still speaking, or never started and so waiting somewhere to be heard
    // late: either way it goes.
    if (engine_)
        engine_->stop();
}

void SpeechWorker::stop()
{
    cut();
}

void SpeechWorker::cut()
{
    pending_.clear();
    startTimer_.stop();
    // The last text may be read for as long as its watchdog runs. An engine
    // still "speaking" after that was stopped already (stopping one whose
    // audio output is gone takes seconds each time), or speaks for another
    // program.
    if (engine_ && watchdog_.isActive()) {
        watchdog_.stop();
        engine_->stop();
    }
}

void SpeechWorker::shutDown()
{
    cut();
    if (engine_) {
        engine_->stateChanged = nullptr;
        engine_.reset();
    }
    deleteLater();
    thread()->quit();
}

void SpeechWorker::setReadiness(Speaker::Readiness readiness)
{
    if (readiness == readiness_)
        return;
    readiness_ = readiness;
    emit readinessChanged(readiness);
}
