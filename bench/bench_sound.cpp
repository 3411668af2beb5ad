// Measures how long after an answer its sound reaches the speakers: plays the
// no and yes sounds through the real sound output and times each from the
// call until the monitor of the default sink carries sound. Needs a running
// PulseAudio (or PipeWire with its pulse server) and parec; on a quiet
// machine, a private server with a null sink:
//   pulseaudio -n -D --exit-idle-time=-1 --load=module-native-protocol-unix
//              --load="module-null-sink sink_name=bench"    (one line)
//   pactl set-default-sink bench
//   bench_sound [runs]
// The same timing of paplay on the same file is printed as the reference:
// it is what the recording chain alone adds (and paplay's own start).

#include "feedback/Feedback.h"
#include "platform/ProgramState.h"
#include "SinkMonitor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <vector>

namespace {

SinkMonitor monitor;

double median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Milliseconds from `trigger` to sound on the monitor; -1 when none came within 3 s.
double timeToSound(const std::function<void()> &trigger)
{
    QThread::msleep(1300);   // the previous sound has died away
    QCoreApplication::processEvents();
    monitor.arm();
    const qint64 start = monitor.now();
    trigger();
    while (monitor.firstLoud() < 0 && monitor.now() - start < 3'000'000'000LL) {
        QCoreApplication::processEvents();
        QThread::usleep(200);
    }
    monitor.disarm();
    const qint64 at = monitor.firstLoud();
    return at < 0 ? -1.0 : static_cast<double>(at - start) / 1e6;
}

// The median and the longest of the sounds heard, and how many were not.
void report(const char *what, const std::vector<double> &ms)
{
    std::vector<double> heard;
    std::copy_if(ms.begin(), ms.end(), std::back_inserter(heard), [](double m) { return m >= 0; });
    const double longest = heard.empty() ? -1 : *std::max_element(heard.begin(), heard.end());
    std::printf("%-8s median %6.1f ms   max %6.1f ms   unheard %zu/%zu   runs:", what, median(heard), longest,
                ms.size() - heard.size(), ms.size());
    for (double m : ms)
        std::printf(" %.0f", m);
    std::printf("\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 20;

    if (!monitor.start()) {
        std::fprintf(stderr, "parec could not be started\n");
        return 1;
    }
    QThread::msleep(500);

    Platform platform = systemPlatform();
    platform.programFolder = QStringLiteral(QUADRIVEL_ASSETS_DIR);
    installState(std::make_unique<ProgramState>(std::move(platform)));
    state().suoniAttivati = true;
    PreparaSuoni();
    state().platform.sound->warmUp();   // the stream opened ahead, as once the first window is shown
    QThread::msleep(300);
    QCoreApplication::processEvents();

    const QByteArray noFile = programFile(QStringLiteral("suoni/no.wav")).toLocal8Bit();
    std::vector<double> reference, no, yes;
    for (int i = 0; i < runs; ++i) {
        reference.push_back(timeToSound([&] {
            QProcess::startDetached(QStringLiteral("paplay"), {QString::fromLocal8Bit(noFile)});
        }));
        no.push_back(timeToSound(SuonoNo));
        yes.push_back(timeToSound(SuonoSi));
    }
    report("paplay", reference);
    report("no", no);
    report("yes", yes);
    installState(nullptr);
    std::fflush(stdout);
    std::_Exit(0);   // parec is left to die with the pipe
}
