// Start-up against bare Qt: how long after its start a program maps its first
// window, for the program and for bare_window, in alternating pairs, with the
// medians and their ratio. Run it under an X server with nothing else on it:
//   xvfb-run -a bench_startup [pairs] PROGRAM BARE
// or through bench/startup, which also sets up the sound server cases.
// The time is taken from the fork to the X server's MapNotify of a top-level
// window, so it covers everything the child waits for: loading the
// libraries, the program's own start and the first show.

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

// Resident memory of pid in MiB, from /proc; -1 when unknown.
double residentMiB(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/statm";
    FILE *f = std::fopen(path.c_str(), "r");
    if (!f)
        return -1;
    long pages = 0, resident = 0;
    const int got = std::fscanf(f, "%ld %ld", &pages, &resident);
    std::fclose(f);
    return got == 2 ? resident * (sysconf(_SC_PAGESIZE) / 1024.0) / 1024.0 : -1;
}

struct Run {
    double mapMs = -1;
    double rssMiB = -1;
};

// Starts program, waits for the first top-level map (10 s at most), then for
// settleMs more to read its memory, and ends it.
Run timeFirstMap(xcb_connection_t *x, const char *program, int settleMs)
{
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The programs' own messages (no sound device, ...) would drown the figures.
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    Run run;
    const int fd = xcb_get_file_descriptor(x);
    while (run.mapMs < 0 && Clock::now() - start < std::chrono::seconds(10)) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY && run.mapMs < 0)
                run.mapMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            std::free(event);
        }
        if (run.mapMs < 0) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(fd, &ready);
            timeval wait{0, 2000};
            select(fd + 1, &ready, nullptr, nullptr, &wait);
        }
    }
    if (settleMs > 0) {
        usleep(settleMs * 1000);
        run.rssMiB = residentMiB(pid);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    // Drop the events of the ending program before the next start.
    usleep(100 * 1000);
    while (xcb_generic_event_t *event = xcb_poll_for_event(x))
        std::free(event);
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_startup PAIRS PROGRAM BARE [SETTLE_MS]\n");
        return 2;
    }
    const int pairs = std::max(1, std::atoi(argv[1]));
    const int settleMs = argc > 4 ? std::atoi(argv[4]) : 0;
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "bench_startup: no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    std::vector<double> program, bare, programRss, bareRss;
    timeFirstMap(x, argv[2], 0);   // warm the disk cache for both
    timeFirstMap(x, argv[3], 0);
    for (int i = 0; i < pairs; ++i) {
        const Run p = timeFirstMap(x, argv[2], settleMs);
        const Run b = timeFirstMap(x, argv[3], settleMs);
        if (p.mapMs < 0 || b.mapMs < 0) {
            std::fprintf(stderr, "bench_startup: a window never mapped (pair %d)\n", i + 1);
            return 1;
        }
        program.push_back(p.mapMs);
        bare.push_back(b.mapMs);
        programRss.push_back(p.rssMiB);
        bareRss.push_back(b.rssMiB);
    }
    std::printf("first map, median of %d pairs: program %.1f ms (max %.1f), bare Qt %.1f ms (max %.1f), ratio %.2f\n",
                pairs, median(program), *std::max_element(program.begin(), program.end()), median(bare),
                *std::max_element(bare.begin(), bare.end()), median(program) / median(bare));
    if (settleMs > 0)
        std::printf("resident memory %d ms after start: program %.1f MiB, bare Qt %.1f MiB\n", settleMs,
                    median(programRss), median(bareRss));
    xcb_disconnect(x);
    return 0;
}
