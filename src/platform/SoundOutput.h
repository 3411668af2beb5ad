#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class AudioDevice;

// Plays a WAV file without waiting; a new sound cuts off the one playing.
// Errors (missing, truncated or unreadable files, no audio device) are
// ignored: such a sound is silence. Every call returns at once.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Readies these files so that playing them later starts at once.
    virtual void preload(const QStringList &paths) { (void)paths; }
    // Opens the audio output ahead of the first sound. Best made once the
    // first window is on screen: opening it can take a while.
    virtual void warmUp() {}
    virtual void play(const QString &path) = 0;
    // How long the file plays, in milliseconds; 0 when unknown (not read
    // yet) or silence. Safe from any thread.
    virtual int lengthMs(const QString &path) const { (void)path; return 0; }
};

// Sound played by a thread of its own, which reads and converts the files and
// owns the device: the caller only leaves a request. A sound that cannot
// start within a quarter of a second of its request is dropped, never heard
// late; a device that fails or stalls is opened again for the next sound.
class SystemSoundOutput final : public SoundOutput {
public:
    SystemSoundOutput();   // on the PulseAudio server
    explicit SystemSoundOutput(std::unique_ptr<AudioDevice> device);
    // Asks the thread to stop and waits briefly; a thread stuck in a stalled
    // server is left to the end of the process.
    ~SystemSoundOutput() override;
    void preload(const QStringList &paths) override;
    void warmUp() override;
    void play(const QString &path) override;
    int lengthMs(const QString &path) const override;

private:
    struct Shared;   // between the caller and the thread
    class Player;    // the thread's side
    std::shared_ptr<Shared> shared_;
};
