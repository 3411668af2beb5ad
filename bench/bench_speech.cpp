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

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaEnum>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

QElapsedTimer clock_;
std::atomic<qint64> firstLoud{-1}; // nanoseconds on clock_ of the first loud block since arming
std::atomic<qint64> lastLoud{-1};
std::atomic<bool> armed{false};

// Reads the monitor in blocks of 1 ms (48 kHz mono s16) and notes the first
// and the last loud one.
void listen(int fd)
{
    short block[48];
    for (;;) {
        const ssize_t got = read(fd, block, sizeof block);
        if (got <= 0)
            return;
        if (!armed.load())
            continue;
        const bool loud = std::any_of(block, block + got / 2, [](short s) { return std::abs(s) > 300; });
        if (loud) {
            const qint64 now = clock_.nsecsElapsed();
            qint64 none = -1;
            firstLoud.compare_exchange_strong(none, now);
            lastLoud.store(now);
        }
    }
}

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
    firstLoud.store(-1);
    lastLoud.store(-1);
    armed.store(true);
    const qint64 start = clock_.nsecsElapsed();
    speaker.say(text);
    for (;;) {
        spin(20);
        const qint64 now = clock_.nsecsElapsed();
        const qint64 last = lastLoud.load();
        if ((last < 0 && now - start > 5'000'000'000LL) || (last >= 0 && now - last > 1'000'000'000LL))
            break;
    }
    armed.store(false);
    const qint64 first = firstLoud.load();
    if (first < 0)
        return {};
    return {(first - start) / 1e6, (lastLoud.load() - first) / 1e6};
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

    FILE *monitor = popen("parec --raw --format=s16le --channels=1 --rate=48000 --latency-msec=1 "
                          "-d @DEFAULT_MONITOR@",
                          "r");
    if (!monitor) {
        std::fprintf(stderr, "parec could not be started\n");
        return 1;
    }
    clock_.start();
    std::thread listener(listen, fileno(monitor));
    listener.detach();

    // (a) The event loop's longest gap while the engine comes up.
    SystemSpeaker speaker;
    qint64 lastTick = clock_.nsecsElapsed();
    qint64 worstGap = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock_.nsecsElapsed();
        worstGap = std::max(worstGap, now - lastTick);
        lastTick = now;
    });
    ticker.start(1);
    // The same loop with nothing starting.
    spin(200);
    worstGap = 0;
    lastTick = clock_.nsecsElapsed();
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const qint64 idleGap = worstGap;
    worstGap = 0;
    lastTick = clock_.nsecsElapsed();
    const qint64 asked = lastTick;
    speaker.setVoice(voiceOfLanguageFile(QStringLiteral(QUADRIVEL_ASSETS_DIR "/Italiano.lng")));
    speaker.start();
    while (speaker.readiness() == Speaker::Readiness::Starting && clock_.nsecsElapsed() - asked < 60'000'000'000LL)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double startMs = (clock_.nsecsElapsed() - asked) / 1e6;
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
