// tests/contract/toolkit.h on the page: a widget is its element's number.
#include <cstdint>
#include <cstdlib>

#include "toolkit.h"
#include "web_engine.h"

namespace toolkit {

const char* const UNREGISTERED_TEXT = "";
const bool EACH_BUTTON_HAS_ITS_OWN_CONTROLLER = false;

static int element(Widget widget) { return static_cast<int>(reinterpret_cast<std::intptr_t>(widget)); }

void ensure_window() {}  // test_main made it
Widget last_widget() { return reinterpret_cast<Widget>(static_cast<std::intptr_t>(calc_dom_last())); }
void click(Widget widget) { calc_dom_click(element(widget)); }
void relabel(Widget button, const std::string& label) { calc_dom_set_label(element(button), label.c_str()); }
bool on_screen(Widget widget) { return calc_dom_on_screen(element(widget)); }
std::size_t registered_texts() { return txts.size(); }
std::size_t registered_checks() { return checks.size(); }

std::string shown_text(Widget widget) {
    char* raw = calc_dom_text(element(widget));
    std::string text = raw;
    std::free(raw);
    return text;
}

}  // namespace toolkit
