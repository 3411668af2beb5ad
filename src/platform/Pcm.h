#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// A sound ready for the stream: interleaved stereo frames of signed 16-bit
// samples at kStreamRate.
struct Pcm {
    std::vector<qint16> samples;
    qsizetype frames() const { return static_cast<qsizetype>(samples.size()) / 2; }
    int lengthMs() const;
};

// The sound of a PCM WAV file (8, 16, 24 or 32-bit integer or 32-bit float
// samples, also in the extensible layout; mono or stereo; 8 to 96 kHz)
// converted to the stream's format, at most its first minute. A data chunk
// cut short plays what is there. Nothing for anything else: another
// encoding, more channels, a broken header, no sound.
std::optional<Pcm> decodeWav(const QByteArray &bytes);

// The first 8 MiB of a regular file; empty for anything else (a pipe, a
// device, a directory, a missing or unreadable file), without ever waiting
// for a writer.
QByteArray readSoundFile(const QString &path);
