#pragma once

#include "platform/AudioDevice.h"

#include <QByteArray>

struct pa_simple;

// A playback stream on the PulseAudio server (or PipeWire's PulseAudio
// server) with a short buffer, so that a sound that cuts in is heard soon.
class PulseAudioDevice final : public AudioDevice {
public:
    // clientName: how the server's mixer lists this program.
    explicit PulseAudioDevice(QByteArray clientName);
    ~PulseAudioDevice() override;
    bool open() override;
    bool write(const qint16 *samples, qsizetype count) override;
    void flush() override;
    void close() override;

private:
    QByteArray clientName_;
    pa_simple *stream_ = nullptr;
};
