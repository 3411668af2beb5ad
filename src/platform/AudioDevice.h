#pragma once

#include <QtGlobal>

// The stream every sound is converted to: interleaved stereo, signed 16-bit,
// at this rate. The shipped sounds are 22050 Hz, an exact half of it.
inline constexpr int kStreamRate = 44100;
inline constexpr int kStreamChannels = 2;

// The sound output as the audio thread sees it: one stream in the format
// above. Any call may block for as long as the sound server takes, so only
// the audio thread makes them.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    // Opens the stream; false when there is no sound server or it refused.
    virtual bool open() = 0;
    // Queues count samples (count / kStreamChannels frames), blocking while
    // the stream's buffer is full; false when the stream is lost.
    virtual bool write(const qint16 *samples, qsizetype count) = 0;
    // Drops what is queued and not yet heard.
    virtual void flush() = 0;
    virtual void close() = 0;
};
