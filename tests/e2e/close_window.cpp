// Sends a window the request a window manager sends when its close button
// is clicked (WM_PROTOCOLS / WM_DELETE_WINDOW): the test screens have no
// window manager. Usage: close_window WINDOW_ID
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    Display* display = XOpenDisplay(nullptr);
    if (argc != 2 || !display) {
        fprintf(stderr, "usage: close_window WINDOW_ID, with a display to reach\n");
        return 1;
    }
    Window window = strtoul(argv[1], nullptr, 0);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XCloseDisplay(display);
    return 0;
}
