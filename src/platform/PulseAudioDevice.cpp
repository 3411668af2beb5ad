#include "platform/PulseAudioDevice.h"

#include <pulse/simple.h>

#include <cstdint>
#include <utility>

namespace {

// What the server keeps queued: short, because a sound that cuts in is heard
// only after what is queued ahead of it is flushed or played.
constexpr pa_usec_t kBufferUs = 30'000;

} // namespace

PulseAudioDevice::PulseAudioDevice(QByteArray clientName) : clientName_(std::move(clientName)) {}

PulseAudioDevice::~PulseAudioDevice()
{
    close();
}

bool PulseAudioDevice::open()
{
    close();
    pa_sample_spec spec;
    spec.format = PA_SAMPLE_S16LE;
    spec.rate = kStreamRate;
    spec.channels = kStreamChannels;
    pa_buffer_attr buffer;
    buffer.maxlength = UINT32_MAX;   // UINT32_MAX: the server's choice
    buffer.tlength = static_cast<uint32_t>(pa_usec_to_bytes(kBufferUs, &spec));
    buffer.prebuf = UINT32_MAX;
    buffer.minreq = UINT32_MAX;
    buffer.fragsize = UINT32_MAX;
    int error = 0;
    stream_ = pa_simple_new(nullptr, clientName_.constData(), PA_STREAM_PLAYBACK, nullptr, "feedback", &spec, nullptr,
                            &buffer, &error);
    return stream_ != nullptr;
}

bool PulseAudioDevice::write(const qint16 *samples, qsizetype count)
{
    int error = 0;
    return stream_ && pa_simple_write(stream_, samples, static_cast<size_t>(count) * sizeof(qint16), &error) >= 0;
}

void PulseAudioDevice::flush()
{
    int error = 0;
    if (stream_)
        pa_simple_flush(stream_, &error);
}

void PulseAudioDevice::close()
{
    if (stream_)
        pa_simple_free(stream_);
    stream_ = nullptr;
}
