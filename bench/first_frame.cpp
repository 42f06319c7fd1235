// Start-up probe, linked beside a program's own main: notices the first
// frame in which the top-level window and every widget in it have been
// drawn, prints the CLOCK_MONOTONIC time of that moment and ends the process
// at once. The program itself is unchanged: the probe installs itself from a
// static constructor and finds the window through GTK.
#include <gtk/gtk.h>

#include <cstdio>
#include <ctime>

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

void on_after_paint(GdkFrameClock*, gpointer) {
    if (!drawn_whole || !all_drawable(window)) return;
    // The frame is complete once the X server has it.
    gdk_display_sync(gtk_widget_get_display(window));
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("first-frame-ns %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stdout);
    _exit(0);
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
