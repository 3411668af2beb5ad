// Measures the speaker on this machine's speech stack:
//  (a) the longest stall of the caller's event loop (the largest gap of a 1 ms
//      timer) while the engine is made on the speaker's thread;
//  (b) from say() to the first sound on the monitor of the default sink, for
//      the voice of each shipped language file, and how long that sound
//      lasts (a text read at a child's pace, not cut short or garbled).
// Needs a running PulseAudio (or PipeWire's pulse server) whose default sink
// is a null sink, and parec:
//   pulseaudio -D --exit-idle-time=-1 && pactl load-module module-null-sink sink_name=bench
//   pactl set-default-sink bench
// and a speech-dispatcher whose modules play to that server themselves
// (AudioOutputMethod "pulse" in speechd.conf), from a private copy of its
// configuration so that the user's own server is left alone:
//   cp -r /etc/speech-dispatcher conf
//   sed -i 's/^# AudioOutputMethod "pulse"/AudioOutputMethod "pulse"/' conf/speechd.conf
//   speech-dispatcher -s -t 0 -C $PWD/conf -c unix_socket -S $PWD/speechd.sock &
//   SPEECHD_ADDRESS=unix_socket:$PWD/speechd.sock bench_speech [runs]
// The idle gap printed beside the start-up stall is the same loop's worst
// over two seconds with nothing starting: what the machine alone adds.

#include "lang/Voice.h"
#include "platform/SystemSpeaker.h"
#include "SinkMonitor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaEnum>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

SinkMonitor monitor;

void spin(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
}

struct Heard {
    double latencyMs = -1;
    double lengthMs = -1;
};

// Says text and waits until the monitor has been quiet for a second.
Heard hear(Speaker &speaker, const QString &text)
{
    spin(300);
    monitor.arm();
    const qint64 start = monitor.now();
    speaker.say(text);
    for (;;) {
        spin(20);
        const qint64 now = monitor.now();
        const qint64 last = monitor.lastLoud();
        if ((last < 0 && now - start > 5'000'000'000LL) || (last >= 0 && now - last > 1'000'000'000LL))
            break;
    }
    monitor.disarm();
    const qint64 first = monitor.firstLoud();
    if (first < 0)
        return {};
    return {(first - start) / 1e6, (monitor.lastLoud() - first) / 1e6};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 10;

    if (!monitor.start()) {
        std::fprintf(stderr, "parec could not be started\n");
        return 1;
    }

    // (a) The event loop's longest gap while the engine comes up.
    SystemSpeaker speaker;
    qint64 lastTick = monitor.now();
    qint64 worstGap = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = monitor.now();
        worstGap = std::max(worstGap, now - lastTick);
        lastTick = now;
    });
    ticker.start(1);
    // The same loop with nothing starting.
    spin(200);
    worstGap = 0;
    lastTick = monitor.now();
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const qint64 idleGap = worstGap;
    worstGap = 0;
    lastTick = monitor.now();
    const qint64 asked = lastTick;
    speaker.setVoice(voiceOfLanguageFile(QStringLiteral(QUADRIVEL_ASSETS_DIR "/Italiano.lng")));
    speaker.start();
    while (speaker.readiness() == Speaker::Readiness::Starting && monitor.now() - asked < 60'000'000'000LL)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double startMs = (monitor.now() - asked) / 1e6;
    spin(100);
    ticker.stop();
    std::printf("engine up in %.0f ms (%s); longest event-loop gap meanwhile %.1f ms (%.1f ms in 2 s idle)\n",
                startMs, QMetaEnum::fromType<Speaker::Readiness>().valueToKey(static_cast<int>(speaker.readiness())),
                worstGap / 1e6, idleGap / 1e6);
    if (speaker.readiness() != Speaker::Readiness::Ready) {
        std::fflush(stdout);
        std::_Exit(1);
    }

    // (b) From say() to sound, per language.
    const struct {
        const char *file;
        QString text;
    } languages[] = {
        {"Italiano.lng", QStringLiteral("Quanto fa sette per otto?")},
        {"English.lng", QStringLiteral("What is seven times eight?")},
    };
    for (const auto &language : languages) {
        speaker.setVoice(voiceOfLanguageFile(QStringLiteral(QUADRIVEL_ASSETS_DIR "/") + QLatin1String(language.file)));
        spin(500);
        std::vector<double> latency;
        std::vector<double> length;
        for (int i = 0; i < runs; ++i) {
            const Heard h = hear(speaker, language.text);
            latency.push_back(h.latencyMs);
            length.push_back(h.lengthMs);
        }
        std::printf("%-13s say to sound: median %6.1f ms, max %6.1f ms; sound %5.0f ms for \"%s\"   runs:",
                    language.file, median(latency), *std::max_element(latency.begin(), latency.end()),
                    median(length), qPrintable(language.text));
        for (double m : latency)
            std::printf(" %.0f", m);
        std::printf("\n");
    }
    std::fflush(stdout);
    std::_Exit(0); // parec and speech-dispatcher are left to die with the pipe and the session
}
