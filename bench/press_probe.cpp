// Press benchmark, linked beside calc-gtk's own main with the press hook
// (support/gtk_press_hook.h): presses the button through the engine's
// "clicked" handler many times and measures, for each press, the time until
// the report is set in area 500 and the time until the next frame with it
// has been drawn. Prints the figures in nanoseconds and ends the process.
#include <gtk/gtk.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include <unistd.h>

#include "gtk_engine.h"
#include "gtk_press_hook.h"

namespace {

constexpr int kWarmUp = 20;
constexpr int kPresses = 400;

std::vector<long long> to_set, to_drawn;
long long pressed_at = 0, set_at = 0;
bool waiting_for_frame = false;

long long now_ns() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

long long median(std::vector<long long> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void report_and_exit() {
    std::sort(to_set.begin(), to_set.end());
    std::printf("press-set-ns median %lld min %lld max %lld n %zu\n", median(to_set), to_set.front(), to_set.back(),
                to_set.size());
    std::printf("press-drawn-ns median %lld\n", median(to_drawn));
    std::fflush(stdout);
    _exit(0);
}

gboolean press(gpointer) {
    pressed_at = now_ns();
    set_at = 0;
    gtk_button_clicked(GTK_BUTTON(press_hook::button));
    waiting_for_frame = true;
    return G_SOURCE_REMOVE;
}

void on_report_set(GObject*, GParamSpec*, gpointer) { set_at = now_ns(); }

void on_after_paint(GdkFrameClock*, gpointer) {
    if (!waiting_for_frame) return;
    waiting_for_frame = false;
    static int presses = 0;
    if (++presses > kWarmUp) {
        to_set.push_back(set_at - pressed_at);
        to_drawn.push_back(now_ns() - pressed_at);
    }
    if (presses >= kWarmUp + kPresses) report_and_exit();
    g_idle_add(press, nullptr);
}

}  // namespace

void press_hook_ready() {
    g_signal_connect(press_hook::area, "notify::label", G_CALLBACK(on_report_set), nullptr);
    g_signal_connect(gtk_widget_get_frame_clock(hJanelaPrincipal), "after-paint", G_CALLBACK(on_after_paint), nullptr);
    g_idle_add(press, nullptr);
}
