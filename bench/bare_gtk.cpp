// Baselines for the start-up benchmark: a bare GTK 3 window holding the same
// kinds and number of widgets as calc-gtk's, at the same places and in the
// same fonts, but without the application core or the widget registries.
// Built twice: without the images, and (BARE_WITH_PICTURES) with calc-gtk's
// two images shown through the engine's own loader code, so that the price
// of showing them is the same on both sides. Neither touches GDK_GL: they
// start as any GTK program does.
#include <gtk/gtk.h>

#ifdef BARE_WITH_PICTURES
#include "facade.h"
#include "gtk_engine.h"
#include "images.h"
#endif

namespace {

GtkWidget* fixed = nullptr;

void put(GtkWidget* w, int x, int y) {
    gtk_fixed_put(GTK_FIXED(fixed), w, x, y);
    gtk_widget_show(w);
}

// The two images where calc-gtk shows them: the panel stretched from a
// 1 x 1 PNG, the logo rendered from SVG at 100 x 100.
void panel() {
#ifdef BARE_WITH_PICTURES
    show_png_b64(280, 50, 230, 80, PANEL_PNG_B64);
#endif
}

void logo() {
#ifdef BARE_WITH_PICTURES
    show_svg_b64(345, 350, 100, 100, LOGO_SVG_B64);
#endif
}

void label(const char* markup, int x, int y) {
    GtkWidget* w = gtk_label_new(nullptr);
    gtk_label_set_markup(GTK_LABEL(w), markup);
    put(w, x, y);
}

void spin(double value, int x, int y, int width) {
    GtkWidget* w = gtk_spin_button_new(gtk_adjustment_new(value, 0.0, 10000.0, 0.1, 1.0, 0.0), 0.1, 2);
    gtk_widget_set_size_request(w, width, 30);
    put(w, x, y);
}

void output(const char* text, int x, int y, int width, int height) {
    GtkWidget* w = gtk_label_new(text);
    gtk_widget_set_size_request(w, width, height);
    gtk_label_set_xalign(GTK_LABEL(w), 0.0f);
    put(w, x, y);
}

}  // namespace

#ifdef BARE_WITH_PICTURES
// What the engine's image code places its pictures with and reads the
// display's scale from.
GtkWidget* fixed_container = nullptr;
void place_widget(GtkWidget* widget, int x, int y) { put(widget, x, y); }
#endif

int main() {
    gtk_init(nullptr, nullptr);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "bare");
    gtk_window_set_default_size(GTK_WINDOW(window), 495, 620);
    gtk_window_move(GTK_WINDOW(window), 200, 200);
    fixed = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(window), fixed);
#ifdef BARE_WITH_PICTURES
    fixed_container = fixed;
#endif
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);

    label("<span font_desc='Arial 20'><b>Orvalento</b></span>", 40, 5);
    label("<span font_desc='Arial 16'>Emissão Total (Ton CO₂):</span>", 20, 70);
    spin(365.6, 20, 90, 100);
    panel();
    label("<span font_desc='Arial 16'>% Mensal Compensar:</span>", 290, 70);
    spin(8.32, 290, 90, 80);
    label("<span font_desc='Arial 16'>Custo Arrendamento ($/10.000m²/month):</span>", 20, 160);
    spin(850.22, 20, 180, 150);
    put(gtk_check_button_new_with_label("Somente arvores adultas"), 220, 185);
    GtkWidget* button = gtk_button_new_with_label("Calculates Compensation");
    gtk_widget_set_size_request(button, 200, 35);
    put(button, 130, 220);
    label("<span font_desc='Arial 18'><b>Simulation:</b></span>", 20, 280);
    output("", 20, 300, 300, 200);
    logo();
    output("Parameters (Adult tree $: +10%) (Young Compensation: -30%)", 20, 550, 400, 25);

    gtk_main();
    return 0;
}
