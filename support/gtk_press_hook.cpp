#include "gtk_press_hook.h"

#include <cstdio>
#include <cstdlib>

#include "gtk_engine.h"

namespace press_hook {

GtkWidget* button = nullptr;
GtkWidget* area = nullptr;

void fail(const std::string& why) {
    std::fprintf(stderr, "%s: FAIL: %s\n", g_get_prgname(), why.c_str());
    std::exit(1);
}

}  // namespace press_hook

namespace {

using press_hook::fail;

// The one push button of the window (check buttons are buttons too).
GtkWidget* find_push_button() {
    GtkWidget* found = nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(fixed_container));
    for (GList* l = children; l; l = l->next) {
        GtkWidget* w = GTK_WIDGET(l->data);
        if (GTK_IS_BUTTON(w) && !GTK_IS_TOGGLE_BUTTON(w)) {
            if (found) fail("more than one push button");
            found = w;
        }
    }
    g_list_free(children);
    return found;
}

gboolean start(gpointer) {
    if (!hJanelaPrincipal || !fixed_container) fail("no window after start-up");
    press_hook::button = find_push_button();
    if (!press_hook::button) fail("no push button");
    auto it = txts.find(500);
    if (it == txts.end() || !GTK_IS_LABEL(it->second)) fail("output area 500 is not a label");
    press_hook::area = it->second;
    press_hook_ready();
    return G_SOURCE_REMOVE;
}

// Ahead of everything else on the first turn of the main loop, which the
// program enters with its window built.
__attribute__((constructor)) void install() { g_idle_add_full(G_PRIORITY_HIGH, start, nullptr, nullptr); }

}  // namespace
