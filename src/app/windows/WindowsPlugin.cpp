// The windows part of saverhost, built as a loadable module: everything that needs GTK,
// WebKitGTK and X11. The program carries it inside its own file and loads it only when a
// run mode opens a window, so the modes without a window start without those libraries.

#include "app/windows/GtkMainWindows.h"

extern "C" __attribute__((visibility("default"))) saver::MainWindows* SaverhostCreateMainWindows() {
    return new saver::GtkMainWindows();
}
