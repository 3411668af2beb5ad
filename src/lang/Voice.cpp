#include "lang/Voice.h"

#include "lang/Language.h"

#include <algorithm>
#include <cmath>

VoiceWish voiceOfLanguageFile(const QString &file)
{
    const SectionReader voice(file, QStringLiteral("Voice"));
    VoiceWish wish;
    wish.locale = voice.value(u"Locale").trimmed();
    for (const QString &name : voice.value(u"Voices").split(QLatin1Char(','))) {
        if (!name.trimmed().isEmpty())
            wish.voices << name.trimmed();
    }
    bool number = false;
    const double rate = voice.value(u"Rate").trimmed().toDouble(&number);
    wish.rate = number && std::isfinite(rate) ? std::clamp(rate, -1.0, 1.0) : 0.0;
    return wish;
}

VoiceWish voiceOfLanguage()
{
    return voiceOfLanguageFile(languageFile());
}
