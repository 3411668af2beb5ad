#include "platform/SoundOutput.h"

#include "platform/AudioDevice.h"
#include "platform/Pcm.h"
#include "platform/PulseAudioDevice.h"

#include <QCoreApplication>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// A sound not started this long after its request is dropped: heard later it
// would answer another question.
constexpr auto kTooLate = std::chrono::milliseconds(250);
// Written in pieces this long, so that a new sound cuts in within one.
constexpr qsizetype kPieceFrames = kStreamRate / 100;
// An open stream keeps the sound server's output running, and the sound card
// awake: it is closed after this long without a sound, and opened again for
// the next one.
constexpr auto kIdleClose = std::chrono::seconds(20);
// How long closing the program waits for the thread.
constexpr auto kExitWait = std::chrono::milliseconds(300);

Clock::duration durationOf(qsizetype frames)
{
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(double(frames) / kStreamRate));
}

bool late(Clock::time_point requested)
{
    return Clock::now() - requested > kTooLate;
}

struct Request {
    QString path;
    Clock::time_point at;
};

} // namespace

// The mutex is held only to hand things over, never across a device call, so
// the caller never waits for the device.
struct SystemSoundOutput::Shared {
    std::thread thread;
    std::unique_ptr<AudioDevice> device;   // the thread's alone
    std::mutex mutex;
    std::condition_variable wake;      // something to do for the thread
    std::condition_variable finished;  // the thread has ended
    QStringList toRead;
    std::optional<Request> request;   // the latest; an older one waiting is replaced
    bool warmUp = false;
    bool stop = false;
    bool done = false;
    std::map<QString, std::shared_ptr<const Pcm>> sounds;   // read so far; null: silence
};

class SystemSoundOutput::Player {
public:
    explicit Player(std::shared_ptr<Shared> shared) : shared_(std::move(shared)), device_(*shared_->device) {}
    void run();

private:
    std::shared_ptr<const Pcm> sound(const QString &path);
    bool opened();
    void start(const Request &request);
    void writePiece();
    void cut();

    std::shared_ptr<Shared> shared_;
    AudioDevice &device_;
    bool open_ = false;
    std::shared_ptr<const Pcm> playing_;   // null: nothing
    qsizetype written_ = 0;                // frames of playing_
    Clock::time_point requested_;
    Clock::time_point started_;
    bool reopened_ = false;
};

void SystemSoundOutput::Player::run()
{
    for (;;) {
        QStringList toRead;
        std::optional<Request> request;
        bool warmUp = false;
        bool idle = false;
        {
            std::unique_lock lock(shared_->mutex);
            const auto asked = [this] {
                return shared_->stop || shared_->request || shared_->warmUp || !shared_->toRead.isEmpty();
            };
            if (!playing_ && open_)
                idle = !shared_->wake.wait_for(lock, kIdleClose, asked);
            else if (!playing_)
                shared_->wake.wait(lock, asked);
            if (shared_->stop)
                break;
            toRead.swap(shared_->toRead);
            request.swap(shared_->request);
            warmUp = std::exchange(shared_->warmUp, false);
        }
        if (idle) {
            device_.close();
            open_ = false;
        }
        for (const QString &path : std::as_const(toRead))
            sound(path);
        if (warmUp)
            opened();
        if (request)
            start(*request);
        else if (playing_)
            writePiece();
    }
    if (open_)
        device_.close();
    {
        std::lock_guard lock(shared_->mutex);
        shared_->done = true;
    }
    shared_->finished.notify_all();
}

std::shared_ptr<const Pcm> SystemSoundOutput::Player::sound(const QString &path)
{
    {
        std::lock_guard lock(shared_->mutex);
        const auto found = shared_->sounds.find(path);
        if (found != shared_->sounds.end())
            return found->second;
    }
    std::optional<Pcm> pcm = decodeWav(readSoundFile(path));
    std::shared_ptr<const Pcm> read = pcm ? std::make_shared<const Pcm>(std::move(*pcm)) : nullptr;
    std::lock_guard lock(shared_->mutex);
    shared_->sounds.emplace(path, read);
    return read;
}

bool SystemSoundOutput::Player::opened()
{
    if (!open_)
        open_ = device_.open();
    return open_;
}

void SystemSoundOutput::Player::cut()
{
    if (playing_ && open_)
        device_.flush();
    playing_.reset();
}

void SystemSoundOutput::Player::start(const Request &request)
{
    cut();
    const std::shared_ptr<const Pcm> pcm = sound(request.path);
    if (!pcm || late(request.at) || !opened() || late(request.at))
        return;
    playing_ = pcm;
    written_ = 0;
    requested_ = request.at;
    started_ = Clock::now();
    reopened_ = false;
}

void SystemSoundOutput::Player::writePiece()
{
    const qsizetype frames = std::min(kPieceFrames, playing_->frames() - written_);
    if (!device_.write(playing_->samples.data() + written_ * 2, frames * 2)) {
        device_.close();
        open_ = false;
        // A stream the server dropped while nothing played: once more on a
        // new one, when that is still in time.
        if (written_ == 0 && !reopened_ && opened() && !late(requested_)) {
            reopened_ = true;
            started_ = Clock::now();
            return;
        }
        playing_.reset();
        return;
    }
    written_ += frames;
    // The device takes sound only as fast as it plays it: a write that came
    // back long after the sound written so far was due means the server
    // stalled, and the rest would be heard late.
    if (Clock::now() > started_ + durationOf(written_) + kTooLate)
        cut();
    else if (written_ == playing_->frames())
        playing_.reset();
}

SystemSoundOutput::SystemSoundOutput()
    : SystemSoundOutput(std::make_unique<PulseAudioDevice>(QCoreApplication::applicationName().toUtf8()))
{
}

SystemSoundOutput::SystemSoundOutput(std::unique_ptr<AudioDevice> device) : shared_(std::make_shared<Shared>())
{
    shared_->device = std::move(device);
    shared_->thread = std::thread([shared = shared_] { Player(shared).run(); });
}

SystemSoundOutput::~SystemSoundOutput()
{
    std::unique_lock lock(shared_->mutex);
    shared_->stop = true;
    shared_->wake.notify_all();
    const bool done = shared_->finished.wait_for(lock, kExitWait, [this] { return shared_->done; });
    lock.unlock();
    if (done)
        shared_->thread.join();
    else
        shared_->thread.detach();   // stuck in the device: it ends with the process
}

void SystemSoundOutput::preload(const QStringList &paths)
{
    {
        std::lock_guard lock(shared_->mutex);
        shared_->toRead += paths;
    }
    shared_->wake.notify_all();
}

void SystemSoundOutput::warmUp()
{
    {
        std::lock_guard lock(shared_->mutex);
        shared_->warmUp = true;
    }
    shared_->wake.notify_all();
}

void SystemSoundOutput::play(const QString &path)
{
    {
        std::lock_guard lock(shared_->mutex);
        shared_->request = Request{path, Clock::now()};
    }
    shared_->wake.notify_all();
}

int SystemSoundOutput::lengthMs(const QString &path) const
{
    std::lock_guard lock(shared_->mutex);
    const auto found = shared_->sounds.find(path);
    return found != shared_->sounds.end() && found->second ? found->second->lengthMs() : 0;
}
