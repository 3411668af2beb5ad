#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// How a language is spoken, as its language file's [Voice] section says:
// the locale ("it_IT"), the voices to prefer in order, and the rate
// (-1 slowest, 0 the engine's own, 1 fastest).
struct VoiceWish {
    QString locale;
    QStringList voices;
    double rate = 0;
    friend bool operator==(const VoiceWish &, const VoiceWish &) = default;
};

// Reads texts aloud without ever holding up the caller: every call returns
// at once, and a machine without speech is silence. A new text cuts the one
// being read and any text still waiting; nothing is kept to be heard late.
class Speaker : public QObject {
    Q_OBJECT
public:
    enum class Readiness { Starting, Ready, NoEngine, NoVoice };
    Q_ENUM(Readiness)

    // Whether the speaker can read aloud: Starting until the engine has
    // been asked, then Ready or why not.
    virtual Readiness readiness() const = 0;
    // Brings the engine up in the background, once: call it when the first
    // window is shown, so that its slow start competes with nothing the
    // child waits for. Before it nothing is read.
    virtual void start() {}
    // The voice of the language of the moment; a change applies to the next
    // text.
    virtual void setVoice(const VoiceWish &wish) = 0;
    // Reads text after afterMs milliseconds (the length of a sound that
    // plays first), cutting whatever is read or waiting.
    virtual void say(const QString &text, int afterMs = 0) = 0;
    // Stops whatever is read or waiting.
    virtual void stop() = 0;

signals:
    void readinessChanged(Speaker::Readiness readiness);
};

// A machine without speech: never ready, always silent.
class SilentSpeaker final : public Speaker {
public:
    Readiness readiness() const override { return Readiness::NoEngine; }
    void setVoice(const VoiceWish &) override {}
    void say(const QString &, int) override {}
    void stop() override {}
};
