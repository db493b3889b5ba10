// Reports the moment a top-level window whose name holds a given text is mapped, for
// tools/first-window.py: an X client sees the map the moment the server makes it, where polling
// with xdotool would add its own delay of several milliseconds to every measurement.
//
//     window-shown TITLE [TIMEOUT_SECONDS]
//
// Prints "ready" once it listens, then, when such a window is mapped, the CLOCK_MONOTONIC time of
// that moment in seconds and the window's id; exits 1 if none appears in time.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The window's name in either of its two spellings; Qt sets both before it maps the window.
std::string WindowName(Display* display, Window window) {
    std::string name;
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data != nullptr) {
        name.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (name.empty()) {
        char* plain = nullptr;
        if (XFetchName(display, window, &plain) != 0 && plain != nullptr) {
            name = plain;
            XFree(plain);
        }
    }
    return name;
}

// A window that went away between its map and the look at its name is no error of ours.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: window-shown TITLE [TIMEOUT_SECONDS]\n");
        return 2;
    }
    const std::string title = argv[1];
    const double deadline = Now() + (argc > 2 ? std::atof(argv[2]) : 30.0);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "window-shown: no display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (Now() < deadline) {
        if (XPending(display) == 0) {
            poll(&connection, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify) continue;
        const double mapped = Now();
        if (WindowName(display, event.xmap.window).find(title) == std::string::npos) continue;
        std::printf("%.6f 0x%lx\n", mapped, event.xmap.window);
        std::fflush(stdout);
        XCloseDisplay(display);
        return 0;
    }
    XCloseDisplay(display);
    return 1;
}
