#pragma once

// What the default PulseAudio sink plays, as the benchmarks hear it: parec
// records the sink's monitor (48 kHz mono, in blocks of 1 ms) and a thread of
// its own notes, while armed, the first and the last loud block. Times are
// nanoseconds on the monitor's clock, -1 when nothing loud came.

#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <unistd.h>

class SinkMonitor {
public:
    // False when parec cannot be started; parec is left to die with the
    // process's pipe.
    bool start()
    {
        FILE *monitor = popen("parec --raw --format=s16le --channels=1 --rate=48000 --latency-msec=1 "
                              "-d @DEFAULT_MONITOR@",
                              "r");
        if (!monitor)
            return false;
        clock_.start();
        std::thread(&SinkMonitor::listen, this, fileno(monitor)).detach();
        return true;
    }

    qint64 now() const { return clock_.nsecsElapsed(); }
    // Forgets what was heard and listens from now on.
    void arm()
    {
        firstLoud_.store(-1);
        lastLoud_.store(-1);
        armed_.store(true);
    }
    void disarm() { armed_.store(false); }
    qint64 firstLoud() const { return firstLoud_.load(); }
    qint64 lastLoud() const { return lastLoud_.load(); }

private:
    void listen(int fd)
    {
        short block[48];
        for (;;) {
            const ssize_t got = read(fd, block, sizeof block);
            if (got <= 0)
                return;
            if (!armed_.load())
                continue;
            if (std::any_of(block, block + got / 2, [](short s) { return std::abs(s) > 300; })) {
                const qint64 at = now();
                qint64 none = -1;
                firstLoud_.compare_exchange_strong(none, at);
                lastLoud_.store(at);
            }
        }
    }

    QElapsedTimer clock_;
    std::atomic<qint64> firstLoud_{-1};
    std::atomic<qint64> lastLoud_{-1};
    std::atomic<bool> armed_{false};
};
