// State and helpers of the web engine that its tests reach besides the facade.
// A widget is the number of its element on the page (dom.js), never 0.
#pragma once

#include <map>

class Controller;

extern Controller* controllerGlobal;  // serves every push button
extern std::map<int, int> txts;       // inputs and output widgets by id
extern std::map<int, int> checks;     // checkboxes by id

// The page's side of the engine (dom.js).
extern "C" {
int calc_dom_last();                  // the element the latest facade call added, 0 before any
void calc_dom_click(int element);     // as the user clicks it
int calc_dom_on_screen(int element);  // still inside the window's panel
char* calc_dom_text(int element);     // shown text (malloc'd): value, label or content
void calc_dom_set_label(int element, const char* text);
}
