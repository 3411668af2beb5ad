#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <memory>

class QSoundEffect;

// Plays a WAV file without waiting; a new sound cuts off the one playing.
// Errors (missing, truncated or unreadable files, no audio device) are
// ignored: such a sound is silence.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Readies these files so that playing them later starts at once.
    virtual void preload(const QStringList &paths) { (void)paths; }
    virtual void play(const QString &path) = 0;
    // How long the file plays, in milliseconds; 0 when unknown or silence.
    virtual int lengthMs(const QString &path) const { (void)path; return 0; }
};

class SystemSoundOutput final : public SoundOutput {
public:
    SystemSoundOutput();
    ~SystemSoundOutput() override;
    void preload(const QStringList &paths) override;
    void play(const QString &path) override;

private:
    QSoundEffect *effectFor(const QString &path);

    // One effect per file, its source set once: changing the source of a
    // playing effect makes it decode again, and a truncated file used to
    // leave that waiting for data forever. Null: the file can't be played.
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
    QSoundEffect *playing_ = nullptr;
};

// True when the file is a complete PCM WAV file holding some sound.
bool isPlayableWav(const QString &path);
