// A hook that drives calc-gtk from inside its own process, linked beside the
// program's main: on the first main-loop turn, once the window is built, it
// finds the window's one push button and output area 500, then calls
// press_hook_ready(), which the program linking the hook defines.
#pragma once

#include <gtk/gtk.h>

#include <string>

namespace press_hook {

extern GtkWidget* button;  // the one push button; gtk_button_clicked presses it
extern GtkWidget* area;    // output area 500, a label

// Prints "<program>: FAIL: <why>" and ends the process with status 1.
[[noreturn]] void fail(const std::string& why);

}  // namespace press_hook

void press_hook_ready();
