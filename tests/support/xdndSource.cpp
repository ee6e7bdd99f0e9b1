// The source side of a drag and drop over the X server's XDND protocol, for drop tests: it
// offers its file names as text/uri-list to one window and drops them at a point, answering
// the target's requests for the data, one step after the other. Every step waits for the
// target's answer (bounded), so the test needs no sleep.
//   xdnd-source WINDOW X Y FILE...    (WINDOW the target's id, X Y a point on the screen)
// Prints "accepted" when the target takes the drag, "finished" when the drop is done; the
// exit status is 0 only then.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr long kXdndVersion = 5;

struct TAtoms {
    Atom aware, enter, position, status, drop, finished, leave, selection, actionCopy, uriList;
};

// The next event, waiting at most until the deadline; false when time ran out.
bool NextEvent(Display* pDisplay, XEvent& event, std::chrono::steady_clock::time_point deadline) {
    while (!XPending(pDisplay)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd fd{ConnectionNumber(pDisplay), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()));
    }
    XNextEvent(pDisplay, &event);
    return true;
}

void Send(Display* pDisplay, Window target, Atom type, long l0, long l1, long l2, long l3,
          long l4) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.display = pDisplay;
    event.xclient.window = target;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = l0;
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    XSendEvent(pDisplay, target, False, NoEventMask, &event);
    XFlush(pDisplay);
}

// file:// addresses, the path's bytes outside the unreserved set percent-encoded.
std::string UriList(int argc, char** argv) {
    std::string s;
    for (int i = 4; i < argc; ++i) {
        s += "file://";
        for (const unsigned char c : std::string(argv[i])) {
            if (std::isalnum(c) || std::strchr("/-._~", c)) {
                s += static_cast<char>(c);
            } else {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%%%02X", c);
                s += hex;
            }
        }
        s += "\r\n";
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: xdnd-source WINDOW X Y FILE...\n");
        return 2;
    }
    Display* pDisplay = XOpenDisplay(nullptr);
    if (!pDisplay) {
        std::fprintf(stderr, "xdnd-source: no display\n");
        return 2;
    }
    const Window target = std::strtoul(argv[1], nullptr, 0);
    const long x = std::strtol(argv[2], nullptr, 10);
    const long y = std::strtol(argv[3], nullptr, 10);
    const std::string sData = UriList(argc, argv);
    TAtoms a{};
    a.aware = XInternAtom(pDisplay, "XdndAware", False);
    a.enter = XInternAtom(pDisplay, "XdndEnter", False);
    a.position = XInternAtom(pDisplay, "XdndPosition", False);
    a.status = XInternAtom(pDisplay, "XdndStatus", False);
    a.drop = XInternAtom(pDisplay, "XdndDrop", False);
    a.finished = XInternAtom(pDisplay, "XdndFinished", False);
    a.leave = XInternAtom(pDisplay, "XdndLeave", False);
    a.selection = XInternAtom(pDisplay, "XdndSelection", False);
    a.actionCopy = XInternAtom(pDisplay, "XdndActionCopy", False);
    a.uriList = XInternAtom(pDisplay, "text/uri-list", False);

    const Window source =
        XCreateSimpleWindow(pDisplay, DefaultRootWindow(pDisplay), -10, -10, 1, 1, 0, 0, 0);
    // A server timestamp for the selection: the property change reports the server's time.
    XSelectInput(pDisplay, source, PropertyChangeMask);
    XChangeProperty(pDisplay, source, a.aware, XA_ATOM, 32, PropModeAppend, nullptr, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    XEvent event{};
    Time time = CurrentTime;
    while (NextEvent(pDisplay, event, deadline)) {
        if (event.type == PropertyNotify) {
            time = event.xproperty.time;
            break;
        }
    }
    XSetSelectionOwner(pDisplay, a.selection, source, time);
    if (XGetSelectionOwner(pDisplay, a.selection) != source) {
        std::fprintf(stderr, "xdnd-source: cannot own the drag selection\n");
        return 1;
    }

    Send(pDisplay, target, a.enter, static_cast<long>(source), kXdndVersion << 24,
         static_cast<long>(a.uriList), 0, 0);
    Send(pDisplay, target, a.position, static_cast<long>(source), 0, (x << 16) | (y & 0xFFFF),
         static_cast<long>(time), static_cast<long>(a.actionCopy));
    bool bAccepted = false;
    bool bDropped = false;
    while (NextEvent(pDisplay, event, deadline)) {
        if (event.type == ClientMessage && event.xclient.message_type == a.status && !bDropped) {
            bAccepted = (event.xclient.data.l[1] & 1) != 0;
            if (!bAccepted) {
                Send(pDisplay, target, a.leave, static_cast<long>(source), 0, 0, 0, 0);
                std::printf("refused\n");
                return 1;
            }
            std::printf("accepted\n");
            std::fflush(stdout);
            bDropped = true;
            Send(pDisplay, target, a.drop, static_cast<long>(source), 0, static_cast<long>(time), 0,
                 0);
        } else if (event.type == SelectionRequest) {
            const XSelectionRequestEvent& request = event.xselectionrequest;
            XEvent notify{};
            notify.xselection.type = SelectionNotify;
            notify.xselection.display = pDisplay;
            notify.xselection.requestor = request.requestor;
            notify.xselection.selection = request.selection;
            notify.xselection.target = request.target;
            notify.xselection.time = request.time;
            notify.xselection.property = None;
            if (request.target == a.uriList && request.property != None) {
                XChangeProperty(pDisplay, request.requestor, request.property, a.uriList, 8,
                                PropModeReplace,
                                reinterpret_cast<const unsigned char*>(sData.data()),
                                static_cast<int>(sData.size()));
                notify.xselection.property = request.property;
            }
            XSendEvent(pDisplay, request.requestor, False, NoEventMask, &notify);
            XFlush(pDisplay);
        } else if (event.type == ClientMessage && event.xclient.message_type == a.finished) {
            std::printf("finished\n");
            std::fflush(stdout);
            XCloseDisplay(pDisplay);
            return 0;
        }
    }
    std::fprintf(stderr, "xdnd-source: the target did not answer in time\n");
    return 1;
}
