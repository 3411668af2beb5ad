#include "feedback/Feedback.h"

#include "platform/ProgramState.h"

namespace {

QString yesSound(int n)
{
    return programFile(QStringLiteral("suoni/si%1.wav").arg(n));
}

QString noSound()
{
    return programFile(QStringLiteral("suoni/no.wav"));
}

} // namespace

void PreparaSuoni()
{
    state().platform.sound->preload({yesSound(1), yesSound(2), yesSound(3), yesSound(4), noSound()});
}

void SuonoSi()
{
    if (!state().suoniAttivati)
        return;
    const int n = randomBelow(4) + 1;
    state().platform.sound->play(yesSound(n));
}

void SuonoNo()
{
    if (!state().suoniAttivati)
        return;
    state().platform.sound->play(noSound());
}

QColor ColoreCasuale()
{
    return QColor(fromBgr(kColoriSfondo[static_cast<std::size_t>(randomBelow(18))]));
}
