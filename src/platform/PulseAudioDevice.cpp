#include "platform/PulseAudioDevice.h"

#include <pulse/simple.h>

#include <dlfcn.h>

#include <cstdint>
#include <utility>

namespace {

// What the server keeps queued: short, because a sound that cuts in is heard
// only after what is queued ahead of it is flushed or played.
constexpr uint32_t kBufferMs = 30;

// The client library is opened at the first sound, on the audio thread, not
// linked: it brings some thirty libraries (codecs among them) that would
// otherwise all be loaded before the first window could appear. A machine
// without it plays nothing.
struct SimpleApi {
    decltype(&pa_simple_new) open = nullptr;
    decltype(&pa_simple_write) write = nullptr;
    decltype(&pa_simple_flush) flush = nullptr;
    decltype(&pa_simple_free) free = nullptr;
};

template <typename F>
void resolve(void *library, const char *name, F &f)
{
    f = reinterpret_cast<F>(dlsym(library, name));
}

const SimpleApi *simpleApi()
{
    static const SimpleApi api = [] {
        SimpleApi a;
        void *library = dlopen("libpulse-simple.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return a;
        resolve(library, "pa_simple_new", a.open);
        resolve(library, "pa_simple_write", a.write);
        resolve(library, "pa_simple_flush", a.flush);
        resolve(library, "pa_simple_free", a.free);
        if (!a.write || !a.flush || !a.free)
            a.open = nullptr;
        return a;
    }();
    return api.open ? &api : nullptr;
}

} // namespace

PulseAudioDevice::PulseAudioDevice(QByteArray clientName) : clientName_(std::move(clientName)) {}

PulseAudioDevice::~PulseAudioDevice()
{
    close();
}

bool PulseAudioDevice::open()
{
    close();
    const SimpleApi *pulse = simpleApi();
    if (!pulse)
        return false;
    pa_sample_spec format;
    format.format = PA_SAMPLE_S16LE;
    format.rate = kStreamRate;
    format.channels = kStreamChannels;
    pa_buffer_attr buffer;
    buffer.maxlength = UINT32_MAX;   // UINT32_MAX: the server's choice
    buffer.tlength = kBufferMs * kStreamRate / 1000 * kStreamChannels * sizeof(int16_t);
    buffer.prebuf = UINT32_MAX;
    buffer.minreq = UINT32_MAX;
    buffer.fragsize = UINT32_MAX;
    int error = 0;
    stream_ = pulse->open(nullptr, clientName_.constData(), PA_STREAM_PLAYBACK, nullptr, "feedback", &format, nullptr,
                            &buffer, &error);
    return stream_ != nullptr;
}

bool PulseAudioDevice::write(const qint16 *samples, qsizetype count)
{
    int error = 0;
    return stream_ && simpleApi()->write(stream_, samples, static_cast<size_t>(count) * sizeof(qint16), &error) >= 0;
}

void PulseAudioDevice::flush()
{
    int error = 0;
    if (stream_)
        simpleApi()->flush(stream_, &error);
}

void PulseAudioDevice::close()
{
    if (stream_)
        simpleApi()->free(stream_);
    stream_ = nullptr;
}
