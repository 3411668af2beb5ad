#include "Fakes.h"
#include "app/Menus.h"
#include "app/Windows.h"
#include "lang/Voice.h"
#include "platform/SystemSpeaker.h"
#include "platform/VoiceChoice.h"

#include <QAction>
#include <QSemaphore>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <mutex>

namespace {

// What a fake engine was asked, read by the test while the engine lives on
// the speaker's thread.
struct EngineLog {
    std::mutex mutex;
    QStringList said;
    std::atomic<int> stops{0};
    std::atomic<bool> speaking{false};
    std::atomic<bool> destroyed{false};

    QStringList saidSoFar()
    {
        const std::lock_guard lock(mutex);
        return said;
    }
};

// An engine that starts every text and finishes none, as one whose audio
// output is gone.
class StuckEngine final : public SpeechEngine {
public:
    StuckEngine(std::shared_ptr<EngineLog> log, State state, std::vector<SpeechVoice> voices)
        : log_(std::move(log)), state_(state), voices_(std::move(voices))
    {
    }
    ~StuckEngine() override { log_->destroyed = true; }

    State state() const override { return log_->speaking ? State::Speaking : state_; }
    std::vector<SpeechVoice> voices(const QString &) override { return voices_; }
    void setVoice(const SpeechVoice &) override {}
    void setRate(double) override {}
    void say(const QString &text) override
    {
        const std::lock_guard lock(log_->mutex);
        log_->said << text;
        log_->speaking = true;
    }
    void stop() override
    {
        ++log_->stops;
        log_->speaking = false;
    }

private:
    std::shared_ptr<EngineLog> log_;
    State state_;
    std::vector<SpeechVoice> voices_;
};

const std::vector<SpeechVoice> kItalian = {{QStringLiteral("Italian"), QStringLiteral("it_IT"), QStringLiteral("espeak-ng")}};
const VoiceWish kItalianWish{QStringLiteral("it_IT"), {}, 0};

// Timings that let a test see the watchdog within moments.
SpeechTimings quick()
{
    SpeechTimings t;
    t.watchdogMarginMs = 50;
    t.charsPerSecond = 1000;
    return t;
}

struct Speech {
    std::shared_ptr<EngineLog> log = std::make_shared<EngineLog>();
    std::unique_ptr<SystemSpeaker> speaker;

    explicit Speech(SpeechEngine::State state = SpeechEngine::State::Ready,
                    std::vector<SpeechVoice> voices = kItalian, SpeechTimings timings = quick())
    {
        speaker = std::make_unique<SystemSpeaker>(
            [log = log, state, voices] { return std::make_unique<StuckEngine>(log, state, voices); }, timings);
        speaker->setVoice(kItalianWish);
        speaker->start();
    }
};

} // namespace

class TestSpeech : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chooseVoice_data();
    void chooseVoice();
    void voiceFollowsTheLanguage();
    void watchdogStopsAnUtteranceThatNeverEnds();
    void newTextCutsTheOldOne();
    void lateTextIsDropped();
    void unusableEngine_data();
    void unusableEngine();
    void closingDoesNotWaitForAStuckEngine();
};

void TestSpeech::chooseVoice_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("preferred");
    QTest::addColumn<QString>("chosen");

    QTest::newRow("first preferred installed") << "it_IT" << QStringList{"silvia", "Italian"} << "silvia";
    QTest::newRow("later preferred installed") << "it_IT" << QStringList{"italian-mbrola-4", "Italian"} << "Italian";
    QTest::newRow("letter case of a name") << "it_IT" << QStringList{"SILVIA"} << "silvia";
    QTest::newRow("preferred of another locale") << "en_GB" << QStringList{"us-mbrola-1"} << "us-mbrola-1";
    QTest::newRow("none preferred installed: espeak-ng over festival")
        << "it_IT" << QStringList{"italian-mbrola-4"} << "Italian";
    QTest::newRow("no espeak-ng voice of the locale") << "fr_FR" << QStringList() << "kal_fr";
    QTest::newRow("only another country's voice") << "de_DE" << QStringList() << "";
    QTest::newRow("no locale") << "" << QStringList() << "";
}

void TestSpeech::chooseVoice()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, preferred);
    QFETCH(QString, chosen);
    const std::vector<SpeechVoice> available = {
        {"pc_diphone", "it_IT", "festival"},     {"silvia", "it_IT", "pico"},
        {"Italian", "it_IT", "espeak-ng"},       {"Italian+Adam", "it_IT", "espeak-ng"},
        {"us-mbrola-1", "en_US", "espeak-ng"},   {"English (Great Britain)", "en_GB", "espeak-ng"},
        {"kal_fr", "fr_FR", "festival"},         {"German", "de_AT", "espeak-ng"},
    };
    const std::optional<SpeechVoice> voice = ::chooseVoice({locale, preferred, 0}, available);
    QCOMPARE(voice ? voice->name : QString(), chosen);
}

void TestSpeech::voiceFollowsTheLanguage()
{
    TestProgram program;
    program.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=\"Italiano\"\r\n");
    auto *menu = qobject_cast<FormMenu *>(openWindow(QStringLiteral("FormMenu")));
    QVERIFY(menu);
    const auto choose = [&](const QString &language) {
        for (QAction *item : menu->languageItems()) {
            if (item->text() == language)
                item->trigger();
        }
    };
    choose(QStringLiteral("English"));
    QCOMPARE(program.speaker->voice,
             (VoiceWish{"en_GB", {"serena", "us-mbrola-1", "English (Great Britain)"}, -0.3}));
    choose(QStringLiteral("Italiano"));
    QCOMPARE(program.speaker->voice, (VoiceWish{"it_IT", {"silvia", "italian-mbrola-4", "Italian"}, -0.3}));
    closeAllWindows();
}

void TestSpeech::watchdogStopsAnUtteranceThatNeverEnds()
{
    Speech speech;
    QTRY_COMPARE(speech.speaker->readiness(), Speaker::Readiness::Ready);
    speech.speaker->say(QStringLiteral("tre per sette"));
    QTRY_COMPARE(speech.log->saidSoFar(), QStringList{"tre per sette"});
    QTRY_COMPARE(speech.log->stops.load(), 1);
    QVERIFY(!speech.log->speaking);

    speech.speaker->say(QStringLiteral("otto"));
    QTRY_COMPARE(speech.log->saidSoFar(), (QStringList{"tre per sette", "otto"}));
}

void TestSpeech::newTextCutsTheOldOne()
{
    SpeechTimings slowWatchdog;
    slowWatchdog.watchdogMarginMs = 60000;
    Speech speech(SpeechEngine::State::Ready, kItalian, slowWatchdog);
    QTRY_COMPARE(speech.speaker->readiness(), Speaker::Readiness::Ready);

    // Waiting texts: one cut by stop, one by a newer text.
    speech.speaker->say(QStringLiteral("uno"), 100);
    speech.speaker->stop();
    QTest::qWait(300);
    QCOMPARE(speech.log->saidSoFar(), QStringList());
    speech.speaker->say(QStringLiteral("due"), 200);
    speech.speaker->say(QStringLiteral("tre"), 0);
    QTRY_COMPARE(speech.log->saidSoFar(), QStringList{"tre"});
    QTest::qWait(400);
    QCOMPARE(speech.log->saidSoFar(), QStringList{"tre"});

    // A text being read is stopped before the next starts.
    speech.speaker->say(QStringLiteral("quattro"));
    QTRY_COMPARE(speech.log->saidSoFar(), (QStringList{"tre", "quattro"}));
    QCOMPARE(speech.log->stops.load(), 1);
}

void TestSpeech::lateTextIsDropped()
{
    auto log = std::make_shared<EngineLog>();
    SpeechTimings timings = quick();
    timings.lateLimitMs = 50;
    // An engine slow to start holds back the text asked for meanwhile.
    SystemSpeaker speaker(
        [log] {
            QThread::msleep(400);
            return std::make_unique<StuckEngine>(log, SpeechEngine::State::Ready, kItalian);
        },
        timings);
    speaker.setVoice(kItalianWish);
    speaker.start();
    speaker.say(QStringLiteral("troppo tardi"));
    QTRY_COMPARE(speaker.readiness(), Speaker::Readiness::Ready);
    speaker.say(QStringLiteral("in tempo"));
    QTRY_COMPARE(log->saidSoFar(), QStringList{"in tempo"});
}

void TestSpeech::unusableEngine_data()
{
    QTest::addColumn<bool>("plugin");
    QTest::addColumn<bool>("broken");
    QTest::addColumn<bool>("voice");
    QTest::addColumn<Speaker::Readiness>("readiness");
    QTest::newRow("no engine plugin") << false << false << true << Speaker::Readiness::NoEngine;
    QTest::newRow("engine in error") << true << true << true << Speaker::Readiness::NoEngine;
    QTest::newRow("no voice of the locale") << true << false << false << Speaker::Readiness::NoVoice;
}

void TestSpeech::unusableEngine()
{
    QFETCH(bool, plugin);
    QFETCH(bool, broken);
    QFETCH(bool, voice);
    QFETCH(Speaker::Readiness, readiness);
    auto log = std::make_shared<EngineLog>();
    SystemSpeaker speaker(
        [=]() -> std::unique_ptr<SpeechEngine> {
            if (!plugin)
                return nullptr;
            return std::make_unique<StuckEngine>(log, broken ? SpeechEngine::State::Error : SpeechEngine::State::Ready,
                                                 voice ? kItalian : std::vector<SpeechVoice>{});
        },
        quick());
    QSignalSpy changes(&speaker, &Speaker::readinessChanged);
    QCOMPARE(speaker.readiness(), Speaker::Readiness::Starting);
    speaker.setVoice(kItalianWish);
    speaker.start();
    QTRY_COMPARE(speaker.readiness(), readiness);
    QCOMPARE(changes.size(), 1);
    speaker.say(QStringLiteral("sette"));
    speaker.stop();
    speaker.say(QStringLiteral("otto"), 10);
    QTest::qWait(200);
    QCOMPARE(log->saidSoFar(), QStringList());
}

void TestSpeech::closingDoesNotWaitForAStuckEngine()
{
    auto log = std::make_shared<EngineLog>();
    auto release = std::make_shared<QSemaphore>();
    auto speaker = std::make_unique<SystemSpeaker>(
        [log, release] {
            release->acquire();
            return std::make_unique<StuckEngine>(log, SpeechEngine::State::Ready, kItalian);
        },
        quick());
    speaker->start();
    speaker.reset(); // would wait for ever for an engine that never comes
    release->release();
    QTRY_VERIFY(log->destroyed);
}

QTEST_MAIN(TestSpeech)
#include "tst_speech.moc"
