#include "platform/SystemSpeaker.h"

#include "platform/QtSpeechEngine.h"

#include <QThread>
#include <vector>

namespace {

// How long closing waits for the engine: closing a working one takes a few
// milliseconds.
constexpr int kCloseWaitMs = 500;

} // namespace

SystemSpeaker::SystemSpeaker(SpeechEngineFactory makeEngine, SpeechTimings timings)
    : thread_(new QThread), worker_(new SpeechWorker(std::move(makeEngine), timings))
{
    thread_->setObjectName(QStringLiteral("speech"));
    worker_->moveToThread(thread_);
    connect(worker_, &SpeechWorker::readinessChanged, this, [this](Readiness r) {
        readiness_ = r;
        emit readinessChanged(r);
    });
}

SystemSpeaker::~SystemSpeaker()
{
    worker_->disconnect(this);
    if (!thread_->isRunning()) {
        delete worker_;
        delete thread_;
        return;
    }
    // The worker deletes itself on its own thread once it gets there.
    QMetaObject::invokeMethod(worker_, &SpeechWorker::shutDown, Qt::QueuedConnection);
    if (thread_->wait(QDeadlineTimer(kCloseWaitMs))) {
        delete thread_;
        return;
    }
    // A thread may not be destroyed while it runs: this one is kept, within
    // reach, to the end of the process.
    static std::vector<QThread *> *stuck = new std::vector<QThread *>;
    stuck->push_back(thread_);
}

std::unique_ptr<SpeechEngine> SystemSpeaker::speechDispatcherEngine()
{
    return std::make_unique<QtSpeechEngine>(QStringLiteral("speechd"));
}

Speaker::Readiness SystemSpeaker::readiness() const
{
    return readiness_;
}

void SystemSpeaker::start()
{
    if (thread_->isRunning())
        return;
    thread_->start();
    QMetaObject::invokeMethod(worker_, [worker = worker_, wish = wish_] { worker->setVoice(wish); },
                              Qt::QueuedConnection);
    QMetaObject::invokeMethod(worker_, &SpeechWorker::start, Qt::QueuedConnection);
}

void SystemSpeaker::setVoice(const VoiceWish &wish)
{
    wish_ = wish;
    if (thread_->isRunning())
        QMetaObject::invokeMethod(worker_, [worker = worker_, wish] { worker->setVoice(wish); },
                                  Qt::QueuedConnection);
}

// Before start() nothing is posted: texts would only pile up unread.
void SystemSpeaker::say(const QString &text, int afterMs)
{
    if (!thread_->isRunning())
        return;
    const qint64 dueMs = SpeechWorker::nowMs() + std::max(afterMs, 0);
    QMetaObject::invokeMethod(worker_, [worker = worker_, text, dueMs] { worker->say(text, dueMs); },
                              Qt::QueuedConnection);
}

void SystemSpeaker::stop()
{
    if (thread_->isRunning())
        QMetaObject::invokeMethod(worker_, &SpeechWorker::stop, Qt::QueuedConnection);
}
