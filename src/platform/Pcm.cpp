#include "platform/Pcm.h"

#include "platform/AudioDevice.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype kMaxFileBytes = 8 * 1024 * 1024;
constexpr qint64 kMaxSeconds = 60;

enum class Sample { Unsigned8, Signed16, Signed24, Signed32, Float32 };

struct Format {
    Sample sample;
    int channels;
    int rate;
    int frameBytes;
};

quint16 le16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 le32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

// The format chunk's body, or nothing when it is not a format this plays.
std::optional<Format> readFormat(const char *p, quint32 length)
{
    if (length < 16)
        return {};
    quint16 tag = le16(p);
    const int channels = le16(p + 2);
    const quint32 rate = le32(p + 4);
    const int frameBytes = le16(p + 12);
    const int bits = le16(p + 14);
    if (tag == 0xFFFE) {
        // The sub-format's GUID: its first two bytes are the plain tag.
        static const char kGuidTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";
        if (length < 40 || le16(p + 16) < 22 || std::memcmp(p + 26, kGuidTail, 14) != 0)
            return {};
        tag = le16(p + 24);
    }
    if (channels < 1 || channels > 2 || rate < 8000 || rate > 96000 || frameBytes != channels * bits / 8)
        return {};
    Sample sample;
    if (tag == 1 && bits == 8)
        sample = Sample::Unsigned8;
    else if (tag == 1 && bits == 16)
        sample = Sample::Signed16;
    else if (tag == 1 && bits == 24)
        sample = Sample::Signed24;
    else if (tag == 1 && bits == 32)
        sample = Sample::Signed32;
    else if (tag == 3 && bits == 32)
        sample = Sample::Float32;
    else
        return {};
    return Format{sample, channels, static_cast<int>(rate), frameBytes};
}

// One sample on the 16-bit scale, not yet rounded or clipped.
double valueAt(const char *p, Sample sample)
{
    switch (sample) {
    case Sample::Unsigned8:
        return (static_cast<unsigned char>(*p) - 128) * 256.0;
    case Sample::Signed16:
        return qFromLittleEndian<qint16>(p);
    case Sample::Signed24: {
        // The three bytes as the top of a 32-bit value keep the sign.
        const quint32 top = static_cast<quint32>(static_cast<unsigned char>(p[2])) << 24;
        return static_cast<qint32>(top | static_cast<quint32>(le16(p)) << 8) / 65536.0;
    }
    case Sample::Signed32:
        return static_cast<qint32>(le32(p)) / 65536.0;
    case Sample::Float32: {
        const float f = qFromLittleEndian<float>(p);
        return std::isfinite(f) ? f * 32768.0 : 0.0;
    }
    }
    return 0;
}

qint16 clipped(double v)
{
    return static_cast<qint16>(std::lround(std::clamp(v, -32768.0, 32767.0)));
}

// Resamples by straight lines between neighbouring frames; mono goes to both sides.
Pcm convert(const Format &format, const char *data, qint64 frames)
{
    const int sampleBytes = format.frameBytes / format.channels;
    const auto at = [&](qint64 frame, int side) {
        const int channel = std::min(side, format.channels - 1);
        return valueAt(data + frame * format.frameBytes + channel * sampleBytes, format.sample);
    };
    const qint64 outFrames = std::max<qint64>(1, frames * kStreamRate / format.rate);
    Pcm pcm;
    pcm.samples.resize(static_cast<std::size_t>(outFrames) * 2);
    for (qint64 i = 0; i < outFrames; ++i) {
        const double position = static_cast<double>(i) * format.rate / kStreamRate;
        const qint64 before = std::min(static_cast<qint64>(position), frames - 1);
        const qint64 after = std::min(before + 1, frames - 1);
        const double part = position - static_cast<double>(before);
        for (int side = 0; side < 2; ++side) {
            const double a = at(before, side);
            pcm.samples[static_cast<std::size_t>(i * 2 + side)] = clipped(a + (at(after, side) - a) * part);
        }
    }
    return pcm;
}

} // namespace

int Pcm::lengthMs() const
{
    return static_cast<int>(frames() * 1000 / kStreamRate);
}

std::optional<Pcm> decodeWav(const QByteArray &bytes)
{
    const qint64 size = bytes.size();
    const char *p = bytes.constData();
    if (size < 12 || std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0)
        return {};
    std::optional<Format> format;
    qint64 at = 12;
    while (at + 8 <= size) {
        const char *id = p + at;
        const qint64 length = le32(p + at + 4);
        const qint64 body = at + 8;
        if (std::memcmp(id, "fmt ", 4) == 0) {
            if (length > size - body)
                return {};
            format = readFormat(p + body, static_cast<quint32>(length));
            if (!format)
                return {};
        } else if (std::memcmp(id, "data", 4) == 0) {
            if (!format)
                return {};
            const qint64 frames = std::min({length, size - body, kMaxSeconds * format->rate * format->frameBytes})
                                  / format->frameBytes;
            if (frames < 1)
                return {};
            return convert(*format, p + body, frames);
        }
        at = body + length + (length & 1);
    }
    return {};
}

QByteArray readSoundFile(const QString &path)
{
    // Opened without waiting, so that a pipe with no writer cannot hold the
    // reader; then only a regular file is read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {};
    QByteArray bytes;
    struct stat status;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        bytes.reserve(static_cast<qsizetype>(std::clamp<off_t>(status.st_size, 0, kMaxFileBytes)));
        char block[65536];
        while (bytes.size() < kMaxFileBytes) {
            const auto wanted = std::min<qsizetype>(sizeof block, kMaxFileBytes - bytes.size());
            const ssize_t got = ::read(fd, block, static_cast<size_t>(wanted));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                bytes.clear();
            if (got <= 0)
                break;
            bytes.append(block, got);
        }
    }
    ::close(fd);
    return bytes;
}
