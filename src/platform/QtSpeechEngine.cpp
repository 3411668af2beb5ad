#include "platform/QtSpeechEngine.h"

#include <QDataStream>
#include <QIODevice>
#include <QLocale>
#include <QTextToSpeech>
#include <algorithm>

namespace {

SpeechEngine::State fromQt(QTextToSpeech::State state)
{
    switch (state) {
    case QTextToSpeech::Ready:
        return SpeechEngine::State::Ready;
    case QTextToSpeech::Speaking:
    case QTextToSpeech::Paused:
        return SpeechEngine::State::Speaking;
    case QTextToSpeech::Error:
        break;
    }
    return SpeechEngine::State::Error;
}

// The synthesizer of a voice. Qt keeps it (speech-dispatcher's output module)
// only in the voice's private data, which the voice's stream form carries
// after its name, locale, gender and age; empty when that form reads
// otherwise.
QString synthesizerOf(const QVoice &voice)
{
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << voice;
    }
    QDataStream in(bytes);
    QString name;
    QLocale locale;
    int gender = 0;
    int age = 0;
    QVariant data;
    in >> name >> locale >> gender >> age >> data;
    if (in.status() != QDataStream::Ok || name != voice.name())
        return {};
    return data.toString();
}

} // namespace

QtSpeechEngine::QtSpeechEngine(const QString &engineName)
{
    if (!QTextToSpeech::availableEngines().contains(engineName))
        return;
    tts_ = std::make_unique<QTextToSpeech>(engineName);
    QObject::connect(tts_.get(), &QTextToSpeech::stateChanged, tts_.get(), [this](QTextToSpeech::State s) {
        if (stateChanged)
            stateChanged(fromQt(s));
    });
}

QtSpeechEngine::~QtSpeechEngine() = default;

SpeechEngine::State QtSpeechEngine::state() const
{
    return tts_ ? fromQt(tts_->state()) : State::Error;
}

bool QtSpeechEngine::usable() const
{
    return state() != State::Error;
}

std::vector<SpeechVoice> QtSpeechEngine::voices(const QString &locale)
{
    std::vector<SpeechVoice> found;
    listed_.clear();
    if (!usable())
        return found;
    // Qt lists only the voices of the engine's locale of the moment.
    const QLocale::Language language = QLocale(locale).language();
    for (const QLocale &l : tts_->availableLocales()) {
        if (l.language() != language)
            continue;
        tts_->setLocale(l);
        for (const QVoice &v : tts_->availableVoices()) {
            if (listed_.emplace(v.name(), v).second)
                found.push_back({v.name(), l.name(), synthesizerOf(v)});
        }
    }
    return found;
}

void QtSpeechEngine::setVoice(const SpeechVoice &voice)
{
    const auto listed = listed_.find(voice.name);
    if (!usable() || listed == listed_.end())
        return;
    tts_->setLocale(QLocale(voice.locale));
    tts_->setVoice(listed->second);
}

void QtSpeechEngine::setRate(double rate)
{
    if (usable())
        tts_->setRate(std::clamp(rate, -1.0, 1.0));
}

void QtSpeechEngine::say(const QString &text)
{
    if (usable())
        tts_->say(text);
}

void QtSpeechEngine::stop()
{
    if (usable())
        tts_->stop();
}
