#pragma once

#include <QString>
#include <memory>

class QSoundEffect;

// Plays a WAV file without waiting; a new sound cuts off the one playing.
// Errors (missing or unreadable files, no audio device) are ignored.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void play(const QString &path) = 0;
};

class SystemSoundOutput final : public SoundOutput {
public:
    SystemSoundOutput();
    ~SystemSoundOutput() override;
    void play(const QString &path) override;

private:
    std::unique_ptr<QSoundEffect> effect_;
};
