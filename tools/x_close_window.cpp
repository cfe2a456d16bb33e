// Asks an X11 window to close the way a window manager's close button does (WM_DELETE_WINDOW), for the
// end-to-end tests, which run without a window manager.
#include <cstdio>
#include <cstdlib>
#ifdef RINKMASTER_HAVE_X11
#include <X11/Xlib.h>
#endif

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: x_close_window WINDOW-ID\n");
        return 2;
    }
#ifdef RINKMASTER_HAVE_X11
    Display* dpy = XOpenDisplay(nullptr);
    if (dpy == nullptr) {
        std::fprintf(stderr, "x_close_window: no X display\n");
        return 1;
    }
    const Window win = std::strtoul(argv[1], nullptr, 0);
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = win;
    ev.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, win, False, NoEventMask, &ev);
    XFlush(dpy);
    XCloseDisplay(dpy);
    return 0;
#else
    std::fprintf(stderr, "x_close_window: built without X11\n");
    return 1;
#endif
}
