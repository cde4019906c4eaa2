// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

// cindral-map-timer: starts a program and prints the milliseconds from its exec to the first
// window mapped on the X server named by DISPLAY, then ends the program. Without a window
// manager a client's map request maps at once, so this is when its first window appears.
//   cindral-map-timer PROGRAM [ARGUMENT...]
#include <X11/Xlib.h>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int timeoutMilliseconds = 10000;

double millisecondsSince(const timespec& start)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec - start.tv_sec) * 1e3 +
           static_cast<double>(now.tv_nsec - start.tv_nsec) / 1e6;
}

// Waits for the first MapNotify among the root window's children; false on a timeout.
bool waitForMap(Display* display, const timespec& start)
{
    while (millisecondsSince(start) < timeoutMilliseconds) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify)
                return true;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 100);
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fputs("usage: cindral-map-timer PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("cindral-map-timer: cannot open the display\n", stderr);
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    const bool mapped = waitForMap(display, start);
    const double elapsed = millisecondsSince(start);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (!mapped) {
        std::fputs("cindral-map-timer: no window was mapped\n", stderr);
        return 1;
    }
    std::printf("%.2f\n", elapsed);
    return 0;
}
