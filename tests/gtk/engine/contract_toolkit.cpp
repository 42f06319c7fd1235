// tests/contract/toolkit.h on GTK 3: the contract's clicks and looks at
// widgets, in the fixed container of the test process's one window.
#include "gtk_engine.h"
#include "support.h"
#include "toolkit.h"

namespace toolkit {

const char* const UNREGISTERED_TEXT = "0";
const bool EACH_BUTTON_HAS_ITS_OWN_CONTROLLER = false;

void ensure_window() {}  // the environment made it
Widget last_widget() { return gtktest::last_child(); }
void click(Widget widget) { gtk_button_clicked(GTK_BUTTON(widget)); }
void relabel(Widget button, const std::string& label) { gtk_button_set_label(GTK_BUTTON(button), label.c_str()); }
bool on_screen(Widget widget) { return gtk_widget_get_parent(GTK_WIDGET(widget)) == fixed_container; }
std::size_t registered_texts() { return txts.size(); }
std::size_t registered_checks() { return checks.size(); }

std::string shown_text(Widget widget) {
    if (GTK_IS_LABEL(widget)) return gtk_label_get_text(GTK_LABEL(widget));
    if (GTK_IS_ENTRY(widget)) return gtk_entry_get_text(GTK_ENTRY(widget));
    return gtk_button_get_label(GTK_BUTTON(widget));
}

}  // namespace toolkit
