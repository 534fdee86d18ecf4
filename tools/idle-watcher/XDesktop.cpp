#include "XDesktop.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/scrnsaver.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace saver {
namespace {

struct Area {
    int left, top, width, height;
};

std::vector<Area> MonitorAreas(Display* display) {
    std::vector<Area> areas;
    int count = 0;
    if (XineramaIsActive(display)) {
        if (XineramaScreenInfo* heads = XineramaQueryScreens(display, &count)) {
            for (int i = 0; i < count; ++i) {
                areas.push_back({heads[i].x_org, heads[i].y_org, heads[i].width, heads[i].height});
            }
            XFree(heads);
        }
    }
    if (areas.empty()) {
        areas.push_back({0, 0, DisplayWidth(display, DefaultScreen(display)),
                         DisplayHeight(display, DefaultScreen(display))});
    }
    return areas;
}

// The window property `name` as a list of 32-bit items (atoms, windows).
std::vector<unsigned long> Property(Display* display, Window window, const char* name, Atom type) {
    Atom actual_type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 64, False, type,
                           &actual_type, &format, &count, &left, &data) == Success &&
        data != nullptr) {
        if (format == 32) {
            auto* values = reinterpret_cast<unsigned long*>(data);
            items.assign(values, values + count);
        }
        XFree(data);
    }
    return items;
}

int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

XDesktop::XDesktop() : display_(XOpenDisplay(nullptr)) {
    if (display_ == nullptr) {
        throw std::runtime_error("cannot open the X display (is DISPLAY set?)");
    }
    int event_base = 0;
    int error_base = 0;
    if (!XScreenSaverQueryExtension(display_, &event_base, &error_base)) {
        XCloseDisplay(display_);
        throw std::runtime_error("the X server has no MIT-SCREEN-SAVER extension");
    }
    // Windows may go away between two requests about them; that is no error here.
    XSetErrorHandler(IgnoreErrors);
}

XDesktop::~XDesktop() {
    XCloseDisplay(display_);
}

std::string XDesktop::Description() const {
    return std::string("the X display ") + DisplayString(display_) + " (MIT-SCREEN-SAVER)";
}

int64_t XDesktop::InputIdleMs() const {
    XScreenSaverInfo info{};
    if (!XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), &info)) {
        return 0;
    }
    return static_cast<int64_t>(info.idle);
}

bool XDesktop::ScreenSaverSuspended() const {
    int timeout_s = 0, interval = 0, blanking = 0, exposures = 0;
    XGetScreenSaver(display_, &timeout_s, &interval, &blanking, &exposures);
    XScreenSaverInfo info{};
    if (timeout_s <= 0 || !XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), &info)) {
        return false;
    }
    // Right at the timeout the server may not have switched its saver on yet; that reads
    // as suspended for one check, which only delays the start to the next one.
    return info.state == ScreenSaverOff &&
           info.idle >= static_cast<unsigned long>(timeout_s) * 1000;
}

Window XDesktop::ActiveWindow() const {
    const Window root = DefaultRootWindow(display_);
    const std::vector<unsigned long> active =
        Property(display_, root, "_NET_ACTIVE_WINDOW", XA_WINDOW);
    if (!active.empty() && active.front() != None) {
        return active.front();
    }
    // Without a window manager: the top-level window that holds the focus.
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    if (focus == None || focus == PointerRoot || focus == root) {
        return None;
    }
    for (;;) {
        Window root_return = None, parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, focus, &root_return, &parent, &children, &count)) {
            return None;
        }
        if (children != nullptr) {
            XFree(children);
        }
        if (parent == root || parent == None) {
            return focus;
        }
        focus = parent;
    }
}

bool XDesktop::FullScreenWindowActive() const {
    const Window window = ActiveWindow();
    if (window == None) {
        return false;
    }
    const Atom full_screen = XInternAtom(display_, "_NET_WM_STATE_FULLSCREEN", False);
    for (unsigned long state : Property(display_, window, "_NET_WM_STATE", XA_ATOM)) {
        if (state == full_screen) {
            return true;
        }
    }
    XWindowAttributes attributes;
    Window child = None;
    int left = 0, top = 0;
    if (!XGetWindowAttributes(display_, window, &attributes) ||
        attributes.map_state != IsViewable ||
        !XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &left, &top,
                               &child)) {
        return false;
    }
    const int middle_x = left + attributes.width / 2;
    const int middle_y = top + attributes.height / 2;
    for (const Area& monitor : MonitorAreas(display_)) {
        const bool holds_middle =
            middle_x >= monitor.left && middle_x < monitor.left + monitor.width &&
            middle_y >= monitor.top && middle_y < monitor.top + monitor.height;
        if (holds_middle) {
            return left <= monitor.left && top <= monitor.top &&
                   left + attributes.width >= monitor.left + monitor.width &&
                   top + attributes.height >= monitor.top + monitor.height;
        }
    }
    return false;
}

}  // namespace saver
