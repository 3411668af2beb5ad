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
