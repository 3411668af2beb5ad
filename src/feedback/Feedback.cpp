#include "feedback/Feedback.h"

#include "platform/ProgramState.h"

#include <algorithm>

namespace {

QString yesSound(int n)
{
    return programFile(QStringLiteral("suoni/si%1.wav").arg(n));
}

QString noSound()
{
    return programFile(QStringLiteral("suoni/no.wav"));
}

int play(const QString &path)
{
    SoundOutput &sound = *state().platform.sound;
    sound.play(path);
    return sound.lengthMs(path);
}

} // namespace

void PreparaSuoni()
{
    state().platform.sound->preload({yesSound(1), yesSound(2), yesSound(3), yesSound(4), noSound()});
}

int SuonoSi()
{
    if (!state().suoniAttivati)
        return 0;
    const int n = randomBelow(4) + 1;
    return play(yesSound(n));
}

int SuonoNo()
{
    if (!state().suoniAttivati)
        return 0;
    return play(noSound());
}

QColor ColoreCasuale(std::initializer_list<QRgb> avoid)
{
    const auto drawn = static_cast<std::size_t>(randomBelow(18));
    for (std::size_t step = 0; step < kColoriSfondo.size(); ++step) {
        const QRgb colour = fromBgr(kColoriSfondo[(drawn + step) % kColoriSfondo.size()]);
        if (std::find(avoid.begin(), avoid.end(), colour) == avoid.end())
            return QColor(colour);
    }
    return QColor(fromBgr(kColoriSfondo[drawn]));   // every colour avoided: the drawn one
}
