// GTK 3 engine: the window, its fixed-position widgets, the two registries
// and the button callback.
#include "gtk_engine.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "caption_rule.h"
#include "controller.h"
#include "facade.h"

GtkWidget* hJanelaPrincipal = nullptr;
GtkWidget* fixed_container = nullptr;
Controller* controllerGlobal = nullptr;
std::map<int, GtkWidget*> txts;
std::map<int, GtkWidget*> checks;

namespace {

// Lookups never add an entry to the registry.
GtkWidget* lookup(const std::map<int, GtkWidget*>& registry, int id) {
    auto it = registry.find(id);
    return it == registry.end() ? nullptr : it->second;
}

// Every text written on the window, for naming the controls below them.
std::vector<TextPlace> text_places;
std::vector<GtkWidget*> text_labels;

// What Tab visits, in creation order, which is the window's reading order
// (GtkFixed alone would order its children by position).
std::vector<GtkWidget*> tab_order;

// The caption written just above `control` becomes its label for screen
// readers: the ATK label-for / labelled-by pair and the accessible name.
void name_after_caption(GtkWidget* control, int x, int y) {
    int i = caption_above(text_places, x, y);
    if (i < 0) return;
    gtk_label_set_mnemonic_widget(GTK_LABEL(text_labels[i]), control);
    atk_object_set_name(gtk_widget_get_accessible(control), gtk_label_get_text(GTK_LABEL(text_labels[i])));
}

void add_to_tab_order(GtkWidget* widget) {
    tab_order.push_back(widget);
    GList* chain = nullptr;
    for (auto it = tab_order.rbegin(); it != tab_order.rend(); ++it) chain = g_list_prepend(chain, *it);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS  // GTK 3's only way to order a GtkFixed's focus
    gtk_container_set_focus_chain(GTK_CONTAINER(fixed_container), chain);
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_list_free(chain);
}

void on_button_clicked(GtkWidget* widget, gpointer /*user_data*/) {
    if (!controllerGlobal) return;
    const gchar* label = gtk_button_get_label(GTK_BUTTON(widget));
    controllerGlobal->aoClicarNoBotao(label ? label : "");
}

// Enter in a spin button first turns its text into its value, which writes
// the text anew and puts the caret at the start: the next key would land in
// front of the number. The caret (or selection) goes back where it was;
// when the text stayed the same, GTK left both alone. One Enter is handled
// at a time, so one record serves every spin button.
struct EditState {
    std::string text;
    int start = 0, end = 0;
} before_enter;

void remember_caret(GtkEditable* spin, gpointer) {
    before_enter.text = gtk_entry_get_text(GTK_ENTRY(spin));
    gtk_editable_get_selection_bounds(spin, &before_enter.start, &before_enter.end);
}

void restore_caret(GtkEditable* spin, gpointer) {
    if (before_enter.text != gtk_entry_get_text(GTK_ENTRY(spin)))
        gtk_editable_select_region(spin, before_enter.start, before_enter.end);  // clamped to the text by GTK
}

// Both output widgets: a flush-left label of a fixed size, reachable by id.
// Its text can be selected and copied; it comes last in the Tab order.
int output_label(const char* text, int x, int y, int width, int height, int id) {
    GtkWidget* label = gtk_label_new(text);
    gtk_widget_set_size_request(label, width, height);
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_selectable(GTK_LABEL(label), TRUE);
    place_widget(label, x, y);
    txts[id] = label;
    name_after_caption(label, x, y);
    add_to_tab_order(label);
    return id;
}

}  // namespace

void place_widget(GtkWidget* widget, int x, int y) {
    gtk_fixed_put(GTK_FIXED(fixed_container), widget, x, y);
    gtk_widget_show(widget);
}

void cria_janela(int width, int height, int x, int y) {
    // Nothing here draws with OpenGL, yet GDK would load the GL driver after
    // the first frame just to probe visuals: half the resident memory, never
    // used. A GDK_GL the user set still wins.
    g_setenv("GDK_GL", "disable", FALSE);
    // Keeps GTK's locale handling: numbers follow the user's decimal separator.
    gtk_init(nullptr, nullptr);
    hJanelaPrincipal = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(hJanelaPrincipal), "Malventra");
    gtk_window_set_default_size(GTK_WINDOW(hJanelaPrincipal), width, height);
    gtk_window_move(GTK_WINDOW(hJanelaPrincipal), x, y);
    fixed_container = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(hJanelaPrincipal), fixed_container);
    g_signal_connect(hJanelaPrincipal, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(hJanelaPrincipal);
}

void escreve_texto(std::string text, int size, int x, int y, bool bold) {
    GtkWidget* label = gtk_label_new(nullptr);
    gchar* markup = bold ? g_markup_printf_escaped("<span font_desc='Arial %d'><b>%s</b></span>", size, text.c_str())
                         : g_markup_printf_escaped("<span font_desc='Arial %d'>%s</span>", size, text.c_str());
    gtk_label_set_markup(GTK_LABEL(label), markup);
    g_free(markup);
    place_widget(label, x, y);
    text_places.push_back({x, y});
    text_labels.push_back(label);
}

int cria_campo_saida(int x, int y, int width, int id) { return output_label("---", x, y, width, 25, id); }

int cria_texto_saida(int x, int y, int width, int height, int id) { return output_label("", x, y, width, height, id); }

// GTK turns an input's text into its value on Enter or when the input loses
// the focus. Text set through assistive technology, and a button pressed
// through it, do neither: such text is marked, and read when the value is.
void mark_uncommitted(GtkEditable* spin, gpointer) {
    g_object_set_data(G_OBJECT(spin), "uncommitted", GINT_TO_POINTER(1));
}

void mark_committed(GtkSpinButton* spin, gpointer) { g_object_set_data(G_OBJECT(spin), "uncommitted", nullptr); }

void cria_input_numerico(int x, int y, int width, int id, double value) {
    GtkAdjustment* adjustment = gtk_adjustment_new(value, 0.0, 10000.0, 0.1, 1.0, 0.0);
    GtkWidget* spin = gtk_spin_button_new(adjustment, 0.1, 2);
    gtk_widget_set_size_request(spin, width, 30);
    gtk_entry_set_activates_default(GTK_ENTRY(spin), TRUE);  // Enter presses the window's button
    g_signal_connect(spin, "activate", G_CALLBACK(remember_caret), nullptr);
    g_signal_connect_after(spin, "activate", G_CALLBACK(restore_caret), nullptr);
    g_signal_connect(spin, "changed", G_CALLBACK(mark_uncommitted), nullptr);
    g_signal_connect(spin, "value-changed", G_CALLBACK(mark_committed), nullptr);
    place_widget(spin, x, y);
    // The window opens ready to type into its first input, over its value.
    if (GTK_IS_WINDOW(hJanelaPrincipal) && !gtk_window_get_focus(GTK_WINDOW(hJanelaPrincipal)))
        gtk_widget_grab_focus(spin);
    txts[id] = spin;
    name_after_caption(spin, x, y);
    add_to_tab_order(spin);
}

void cria_checkbox(std::string label, int x, int y, int id) {
    GtkWidget* check = gtk_check_button_new_with_label(label.c_str());
    place_widget(check, x, y);
    checks[id] = check;
    add_to_tab_order(check);
}

void cria_botao(std::string label, int x, int y, int width, Controller* controller) {
    controllerGlobal = controller;
    GtkWidget* button = gtk_button_new_with_label(label.c_str());
    gtk_widget_set_size_request(button, width, 35);
    g_signal_connect(button, "clicked", G_CALLBACK(on_button_clicked), nullptr);
    place_widget(button, x, y);
    gtk_widget_set_can_default(button, TRUE);
    gtk_window_set_default(GTK_WINDOW(hJanelaPrincipal), button);
    add_to_tab_order(button);
}

void atualiza_texto(int id, std::string text) {
    GtkWidget* widget = lookup(txts, id);
    if (GTK_IS_LABEL(widget)) {
        gtk_label_set_text(GTK_LABEL(widget), text.c_str());
    } else if (GTK_IS_SPIN_BUTTON(widget)) {
        // strtod's rules in the current locale: leading blanks skipped, the
        // longest numeric prefix taken. No number (or NaN) leaves the value.
        try {
            double value = std::stod(text);
            if (value == value) gtk_spin_button_set_value(GTK_SPIN_BUTTON(widget), value);
        } catch (const std::invalid_argument&) {
        } catch (const std::out_of_range&) {
        }
    }
}

std::string pega_input(int id) {
    GtkWidget* widget = lookup(txts, id);
    if (!GTK_IS_SPIN_BUTTON(widget)) return "0";
    if (g_object_get_data(G_OBJECT(widget), "uncommitted")) gtk_spin_button_update(GTK_SPIN_BUTTON(widget));
    gchar* text = g_strdup_printf("%f", gtk_spin_button_get_value(GTK_SPIN_BUTTON(widget)));
    std::string result = text;
    g_free(text);
    return result;
}

bool verifica_checkbox(int id) {
    GtkWidget* widget = lookup(checks, id);
    return widget && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget));
}

std::string plataforma() { return "Linux Debian (GTK3)"; }

void executa_app() { gtk_main(); }
