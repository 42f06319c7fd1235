// State and helpers of the GTK engine that its tests reach besides the facade.
#pragma once

#include <gtk/gtk.h>

#include <map>
#include <string>
#include <vector>

class Controller;

extern GtkWidget* hJanelaPrincipal;       // the main window
extern GtkWidget* fixed_container;        // the GtkFixed holding every widget
extern Controller* controllerGlobal;      // serves every push button
extern std::map<int, GtkWidget*> txts;    // spin buttons and output labels by id
extern std::map<int, GtkWidget*> checks;  // check buttons by id

// GLib's Base64 rules: characters outside the alphabet are skipped, an
// incomplete final group adds nothing. Empty when nothing decodes.
std::vector<unsigned char> decode_b64(const std::string& text);

// Adds `widget` to the fixed container at (x, y) and shows it.
void place_widget(GtkWidget* widget, int x, int y);
