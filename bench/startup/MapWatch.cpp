// Starts a program on the X display and reports, as one line, the milliseconds from its
// start until its first top-level window is mapped, and its resident memory (kB) after a
// settling time. Both programs of a comparison are measured the same way.
//
//   mapwatch [--settle MS] -- PROGRAM [ARGS...]
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "Resident.h"

namespace {

// Waits for the first MapNotify of a top-level window that is not an override-redirect
// popup; false after timeoutMs.
bool waitForMap(Display* d, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && !e.xmap.override_redirect) return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()));
    }
}

} // namespace

int main(int argc, char** argv) {
    int settleMs = 1000;
    int i = 1;
    if (i + 1 < argc && std::strcmp(argv[i], "--settle") == 0) {
        settleMs = std::atoi(argv[i + 1]);
        i += 2;
    }
    if (i < argc && std::strcmp(argv[i], "--") == 0) ++i;
    if (i >= argc) {
        std::fprintf(stderr, "usage: mapwatch [--settle MS] -- PROGRAM [ARGS...]\n");
        return 2;
    }
    // An X server that resets after its last client left takes a moment to accept again.
    Display* d = nullptr;
    for (int tries = 0; !d && tries < 50; ++tries) {
        d = XOpenDisplay(nullptr);
        if (!d) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!d) {
        std::fprintf(stderr, "mapwatch: cannot open the display\n");
        return 2;
    }
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, True);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[i], argv + i);
        _exit(127);
    }
    const bool mapped = waitForMap(d, 60000);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long kb = residentKb(std::to_string(pid));
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(d);
    if (!mapped) {
        std::fprintf(stderr, "mapwatch: no window was mapped\n");
        return 1;
    }
    std::printf("%.1f %ld\n", ms, kb);
    return 0;
}
