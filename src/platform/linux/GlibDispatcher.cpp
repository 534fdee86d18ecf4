#include "platform/linux/GlibDispatcher.h"

#include <glib.h>

#include <utility>

namespace saver {

namespace {

gboolean RunTask(gpointer data) {
    (*static_cast<std::function<void()>*>(data))();
    return G_SOURCE_REMOVE;
}

void FreeTask(gpointer data) {
    delete static_cast<std::function<void()>*>(data);
}

}  // namespace

void GlibDispatcher::Post(std::function<void()> task) {
    auto* heap_task = new std::function<void()>(std::move(task));
    GSource* source = g_idle_source_new();
    g_source_set_priority(source, G_PRIORITY_DEFAULT);
    g_source_set_callback(source, RunTask, heap_task, FreeTask);
    g_source_attach(source, g_main_context_default());
    g_source_unref(source);
}

}  // namespace saver
