#include "feedback/Feedback.h"

#include "platform/ProgramState.h"

void SuonoSi()
{
    if (!state().suoniAttivati)
        return;
    const int n = randomBelow(4) + 1;
    state().platform.sound->play(programFile(QStringLiteral("suoni/si%1.wav").arg(n)));
}

void SuonoNo()
{
    if (!state().suoniAttivati)
        return;
    state().platform.sound->play(programFile(QStringLiteral("suoni/no.wav")));
}

QColor ColoreCasuale()
{
    return QColor(fromBgr(kColoriSfondo[static_cast<std::size_t>(randomBelow(18))]));
}
