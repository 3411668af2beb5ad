#include "platform/SoundOutput.h"

#include <QSoundEffect>
#include <QUrl>

SystemSoundOutput::SystemSoundOutput() : effect_(std::make_unique<QSoundEffect>()) {}

SystemSoundOutput::~SystemSoundOutput() = default;

void SystemSoundOutput::play(const QString &path)
{
    effect_->stop();
    const QUrl url = QUrl::fromLocalFile(path);
    if (effect_->source() == url) {
        effect_->play();   // already decoded: restarts from the beginning
        return;
    }
    effect_->setSource(url);   // loads in the background, then plays
    effect_->play();
}
