// minimal-webview ADDRESS: the web engine's own floor for a full-screen page. One GTK
// window made full-screen, one WebKitGTK web view in it, one load; prints the
// milliseconds from main to the load's end and keeps the page up until it is ended.

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <stdio.h>
#include <time.h>

static double NowMs(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1000.0 + (double)now.tv_nsec / 1e6;
}

static double start_ms;

static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer data) {
    (void)view;
    (void)data;
    if (event == WEBKIT_LOAD_FINISHED) {
        printf("minimal-webview: loaded after %.1f ms\n", NowMs() - start_ms);
        fflush(stdout);
    }
}

int main(int argc, char** argv) {
    start_ms = NowMs();
    gtk_init(&argc, &argv);
    if (argc != 2) {
        fputs("usage: minimal-webview ADDRESS\n", stderr);
        return 2;
    }
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_fullscreen(GTK_WINDOW(window));
    GtkWidget* view = webkit_web_view_new();
    gtk_container_add(GTK_CONTAINER(window), view);
    g_signal_connect(view, "load-changed", G_CALLBACK(OnLoadChanged), NULL);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), argv[1]);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
