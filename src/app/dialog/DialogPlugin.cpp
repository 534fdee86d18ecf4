// The settings dialog part of saverhost, built as a loadable module of its own: GTK and
// the picture decoders, without the web engine, GStreamer or libcurl, whose loading would
// hold up the dialog's opening. The program carries it inside its own file, beside the
// windows module.

#include "app/dialog/GtkDialogWindows.h"

extern "C" __attribute__((visibility("default"))) saver::MainWindows* SaverhostCreateMainWindows() {
    return new saver::GtkDialogWindows();
}
