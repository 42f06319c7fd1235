// tests/contract/toolkit.h on Win32: the contract's clicks and looks at
// controls, on the engine's main window.
#include "controls.h"
#include "facade.h"
#include "toolkit.h"
#include "win32_engine.h"

namespace toolkit {

const char* const UNREGISTERED_TEXT = "";
const bool EACH_BUTTON_HAS_ITS_OWN_CONTROLLER = false;

void ensure_window() {
    if (!g_hMain) cria_janela(470, 620, 200, 200);
}
// Children are kept in creation order.
Widget last_widget() { return GetWindow(GetWindow(g_hMain, GW_CHILD), GW_HWNDLAST); }
void click(Widget control) { ::click(static_cast<HWND>(control)); }
void relabel(Widget button, const std::string& label) {
    SetWindowTextW(static_cast<HWND>(button), utf8_to_wide(label).c_str());
}
std::string shown_text(Widget control) { return wide_to_utf8(text_of(static_cast<HWND>(control))); }
bool on_screen(Widget control) { return IsWindowVisible(static_cast<HWND>(control)); }
std::size_t registered_texts() { return g_txts.size(); }
std::size_t registered_checks() { return g_checks.size(); }

}  // namespace toolkit
