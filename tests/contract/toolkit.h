// What the facade's contract asks of the toolkit under each engine: a user's
// clicks, and a look at widgets the facade itself can no longer reach. Each
// engine's test support defines these; the rules are written once, in
// facade_test.cpp.
#pragma once

#include <cstddef>
#include <string>

namespace toolkit {

using Widget = void*;  // the toolkit's handle of one widget

void ensure_window();                    // the main window of this test process
Widget last_widget();                    // the widget the latest facade call added
void click(Widget button_or_checkbox);   // as the user clicks it
void relabel(Widget button, const std::string& label);
std::string shown_text(Widget widget);   // a checkbox: its label
bool on_screen(Widget widget);
std::size_t registered_texts();
std::size_t registered_checks();

// Where the engines may differ.
extern const char* const UNREGISTERED_TEXT;  // pega_input of an id no text widget holds
extern const bool EACH_BUTTON_HAS_ITS_OWN_CONTROLLER;

}  // namespace toolkit
