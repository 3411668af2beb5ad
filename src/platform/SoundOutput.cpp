#include "platform/SoundOutput.h"

#include <QFile>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace {

quint32 le32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

quint16 le16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

} // namespace

bool isPlayableWav(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 64 * 1024 * 1024)
        return false;
    const QByteArray bytes = file.readAll();
    const qint64 size = bytes.size();
    if (size < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return false;
    bool formatOk = false;
    qint64 at = 12;
    while (at + 8 <= size) {
        const char *chunk = bytes.constData() + at;
        const qint64 length = le32(chunk + 4);
        const qint64 body = at + 8;
        if (length > size - body)
            return false;   // cut short
        if (bytes.mid(at, 4) == "fmt ") {
            if (length < 16)
                return false;
            const quint16 tag = le16(chunk + 8);
            const quint16 channels = le16(chunk + 10);
            const quint32 rate = le32(chunk + 12);
            const quint16 bits = le16(chunk + 22);
            formatOk = (tag == 1 || tag == 3 || tag == 0xFFFE) && channels >= 1 && channels <= 8 && rate >= 1000
                       && rate <= 384000 && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
        } else if (bytes.mid(at, 4) == "data") {
            return formatOk && length > 0;
        }
        at = body + length + (length & 1);
    }
    return false;
}

SystemSoundOutput::SystemSoundOutput() = default;

SystemSoundOutput::~SystemSoundOutput() = default;

QSoundEffect *SystemSoundOutput::effectFor(const QString &path)
{
    const auto found = effects_.find(path);
    if (found != effects_.end())
        return found->second.get();
    std::unique_ptr<QSoundEffect> effect;
    if (isPlayableWav(path)) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));   // decodes in the background
    }
    return effects_.emplace(path, std::move(effect)).first->second.get();
}

void SystemSoundOutput::preload(const QStringList &paths)
{
    for (const QString &path : paths)
        effectFor(path);
}

void SystemSoundOutput::play(const QString &path)
{
    if (playing_)
        playing_->stop();
    playing_ = effectFor(path);
    if (playing_)
        playing_->play();   // from the beginning; queued until decoded
}
