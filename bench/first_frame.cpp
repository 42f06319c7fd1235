// Start-up probe, linked beside a program's own main: notices the first
// frame in which the top-level window and every widget in it have been
// drawn and prints the CLOCK_MONOTONIC time of that moment and the resident
// size then. The program then runs on (the benchmark watches it settle and
// ends it). The program itself is unchanged: the probe installs itself from
// a static constructor and finds the window through GTK.
#include <gtk/gtk.h>

#include <cstdio>
#include <ctime>
#include <fstream>

#include <unistd.h>

namespace {

GtkWidget* window = nullptr;
bool drawn_whole = false;

// True when every visible widget under `w` can be drawn (mapped, and
// so painted in the frame that just ended).
bool all_drawable(GtkWidget* w) {
    if (gtk_widget_get_visible(w) && !gtk_widget_is_drawable(w)) return false;
    if (!GTK_IS_CONTAINER(w)) return true;
    bool ok = true;
    GList* children = gtk_container_get_children(GTK_CONTAINER(w));
    for (GList* l = children; l && ok; l = l->next) ok = all_drawable(GTK_WIDGET(l->data));
    g_list_free(children);
    return ok;
}

gboolean on_draw_after(GtkWidget* w, cairo_t* cr, gpointer) {
    GdkRectangle clip;
    if (gdk_cairo_get_clip_rectangle(cr, &clip) && clip.x <= 0 && clip.y <= 0 &&
        clip.x + clip.width >= gtk_widget_get_allocated_width(w) &&
        clip.y + clip.height >= gtk_widget_get_allocated_height(w))
        drawn_whole = true;
    return FALSE;
}

long resident_kib() {
    long size = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void on_after_paint(GdkFrameClock* clock, gpointer) {
    if (!drawn_whole || !all_drawable(window)) return;
    // The frame is complete once the X server has it.
    gdk_display_sync(gtk_widget_get_display(window));
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("first-frame-ns %lld rss-kib %ld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                resident_kib());
    std::fflush(stdout);
    g_signal_handlers_disconnect_by_func(clock, reinterpret_cast<gpointer>(on_after_paint), nullptr);
}

// First turn of the main loop: the program has built its window by now.
gboolean attach(gpointer) {
    GList* tops = gtk_window_list_toplevels();
    for (GList* l = tops; l && !window; l = l->next)
        if (gtk_window_get_window_type(GTK_WINDOW(l->data)) == GTK_WINDOW_TOPLEVEL) window = GTK_WIDGET(l->data);
    g_list_free(tops);
    GdkFrameClock* clock = window ? gtk_widget_get_frame_clock(window) : nullptr;
    if (!clock) {
        std::fprintf(stderr, "first-frame probe: no realised top-level window\n");
        _exit(2);
    }
    g_signal_connect_after(window, "draw", G_CALLBACK(on_draw_after), nullptr);
    g_signal_connect(clock, "after-paint", G_CALLBACK(on_after_paint), nullptr);
    return G_SOURCE_REMOVE;
}

__attribute__((constructor)) void install() { g_idle_add_full(G_PRIORITY_HIGH, attach, nullptr, nullptr); }

}  // namespace
