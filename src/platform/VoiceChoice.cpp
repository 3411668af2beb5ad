#include "platform/VoiceChoice.h"

#include <algorithm>

std::optional<SpeechVoice> chooseVoice(const VoiceWish &wish, const std::vector<SpeechVoice> &available)
{
    for (const QString &wanted : wish.voices) {
        const auto found = std::find_if(available.begin(), available.end(), [&](const SpeechVoice &v) {
            return v.name.compare(wanted, Qt::CaseInsensitive) == 0;
        });
        if (found != available.end())
            return *found;
    }
    std::optional<SpeechVoice> firstOfLocale;
    for (const SpeechVoice &v : available) {
        if (wish.locale.isEmpty() || v.locale != wish.locale)
            continue;
        if (v.synthesizer.startsWith(QLatin1String("espeak")))
            return v;
        if (!firstOfLocale)
            firstOfLocale = v;
    }
    return firstOfLocale;
}
