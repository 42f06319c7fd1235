// The web engine: the facade on the page's DOM. The elements live in
// dom.js; here are the registries, the button dispatch and the rules of
// the numeric inputs, which read and write text the way a spin button does.
#include "web_engine.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "caption_rule.h"
#include "controller.h"
#include "facade.h"

Controller* controllerGlobal = nullptr;
std::map<int, int> txts;
std::map<int, int> checks;

extern "C" {
void calc_dom_window(int width, int height);
int calc_dom_label(const char* text, int size, int x, int y, int bold);
int calc_dom_input(int x, int y, int width, const char* text, int numeric);
int calc_dom_checkbox(const char* label, int x, int y);
int calc_dom_button(const char* label, int x, int y, int width);
int calc_dom_area(int x, int y, int width, int height);
int calc_dom_field(int x, int y, int width);
int calc_dom_image(int x, int y, int width, int height, const char* base64);
void calc_dom_set_text(int element, const char* text);
void calc_dom_set_number(int element, double value, int valid);
void calc_dom_name_after(int element, int caption);
void calc_dom_set_id(int element, int id, int previous);
int calc_dom_checked(int element);
int calc_dom_decimal_comma();
void calc_dom_ready();
}

namespace {

enum class Kind { Numeric, Text, Output };
std::map<int, Kind> kinds;  // by element

int lookup(const std::map<int, int>& registry, int id) {
    auto it = registry.find(id);
    return it == registry.end() ? 0 : it->second;
}

std::string text_of(int element) {
    char* raw = calc_dom_text(element);
    std::string text = raw ? raw : "";
    std::free(raw);
    return text;
}

// Every text written on the window, for naming the controls below them.
std::vector<TextPlace> text_places;
std::vector<int> text_labels;

void name_after_caption(int element, int x, int y) {
    int i = caption_above(text_places, x, y);
    if (i >= 0) calc_dom_name_after(element, text_labels[static_cast<std::size_t>(i)]);
}

constexpr double LOWEST = 0.0, HIGHEST = 10000.0;

// The browser's language picks the decimal mark, as the user's locale does
// for calc-gtk: where it is a comma, "8,32" is 8.32 and numbers show a comma.
// A point typed there still reads as one, so nothing typed either way is lost.
bool decimal_comma() {
    static const bool comma = calc_dom_decimal_comma();
    return comma;
}

// A numeric input's text as a number: the whole text (blanks around it
// allowed) a finite decimal number, kept within the range and rounded to
// the two decimals shown. Anything else is no number, and stays as typed.
std::optional<double> number_in(std::string text) {
    if (decimal_comma() && text.find('.') == std::string::npos) {
        std::string::size_type comma = text.find(',');
        if (comma != std::string::npos && text.find(',', comma + 1) == std::string::npos) text[comma] = '.';
    }
    const char* start = text.c_str();
    char* end = nullptr;
    double value = std::strtod(start, &end);
    if (end == start || !std::isfinite(value)) return std::nullopt;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return std::nullopt;
    value = std::clamp(value, LOWEST, HIGHEST);
    return std::round(value * 100.0) / 100.0;
}

std::string formatted(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// As the input shows a number: two decimals, with the language's mark.
std::string shown(double value) {
    std::string text = formatted("%.2f", value);
    if (decimal_comma()) std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// Shows a number as the input shows it (two decimals) and says whether the
// text is one; what is no number is left exactly as typed.
std::optional<double> commit(int element, const std::string& text) {
    std::optional<double> value = number_in(text);
    if (value) calc_dom_set_text(element, shown(*value).c_str());
    calc_dom_set_number(element, value.value_or(0.0), value.has_value());
    return value;
}

void register_in(std::map<int, int>& registry, int id, int element) {
    calc_dom_set_id(element, id, lookup(registry, id));
    registry[id] = element;
}

int add_text_widget(int id, int element, Kind kind, int x, int y) {
    register_in(txts, id, element);
    kinds[element] = kind;
    name_after_caption(element, x, y);
    return id;
}

}  // namespace

// The page calls these: a numeric input's text committed (Enter, leaving
// it), stepped by the arrow keys, and a button clicked.
extern "C" {

EMSCRIPTEN_KEEPALIVE void calc_web_commit(int element) { commit(element, text_of(element)); }

EMSCRIPTEN_KEEPALIVE void calc_web_step(int element, double delta) {
    std::optional<double> value = number_in(text_of(element));
    if (value) commit(element, shown(std::clamp(*value + delta, LOWEST, HIGHEST)));
}

EMSCRIPTEN_KEEPALIVE void calc_web_clicked(int button) {
    if (!controllerGlobal) return;
    controllerGlobal->aoClicarNoBotao(text_of(button));
}

}  // extern "C"

void cria_janela(int width, int height, int, int) { calc_dom_window(width, height); }

void escreve_texto(std::string text, int size, int x, int y, bool bold) {
    text_labels.push_back(calc_dom_label(text.c_str(), size, x, y, bold));
    text_places.push_back({x, y});
}

void cria_input_numerico(int x, int y, int width, int id, double value) {
    int element = calc_dom_input(x, y, width, "", 1);
    commit(element, formatted("%.6f", std::isfinite(value) ? value : 0.0));
    add_text_widget(id, element, Kind::Numeric, x, y);
}

void cria_input(int x, int y, int width, int id, std::string text) {
    add_text_widget(id, calc_dom_input(x, y, width, text.c_str(), 0), Kind::Text, x, y);
}

void cria_checkbox(std::string label, int x, int y, int id) {
    register_in(checks, id, calc_dom_checkbox(label.c_str(), x, y));
}

void cria_botao(std::string label, int x, int y, int width, Controller* controller) {
    controllerGlobal = controller;
    calc_dom_button(label.c_str(), x, y, width);
}

int cria_texto_saida(int x, int y, int width, int height, int id) {
    return add_text_widget(id, calc_dom_area(x, y, width, height), Kind::Output, x, y);
}

int cria_campo_saida(int x, int y, int width, int id) {
    return add_text_widget(id, calc_dom_field(x, y, width), Kind::Output, x, y);
}

void show_png_b64(int x, int y, int width, int height, std::string base64) {
    calc_dom_image(x, y, width, height, base64.c_str());
}

void show_svg_b64(int x, int y, int width, int height, std::string base64) {
    calc_dom_image(x, y, width, height, base64.c_str());
}

// A web view would load another page into this one: the page promises to
// make no request beyond its own files, so the call is accepted and ignored.
void cria_webview(std::string, int, int, int, int) {}

void atualiza_texto(int id, std::string text) {
    int element = lookup(txts, id);
    if (!element) return;
    if (kinds[element] == Kind::Numeric) {
        if (!commit(element, text)) calc_dom_set_text(element, text.c_str());
    } else {
        calc_dom_set_text(element, text.c_str());
    }
}

// A numeric input reads as its number in "%f" (365.6 gives 365.600000);
// text that is no number reads as typed, so the report never shows a number
// that is not on screen. Other widgets read as their text.
std::string pega_input(int id) {
    int element = lookup(txts, id);
    if (!element) return "";
    const std::string text = text_of(element);
    if (kinds[element] != Kind::Numeric) return text;
    std::optional<double> value = commit(element, text);
    return value ? formatted("%f", *value) : text;
}

bool verifica_checkbox(int id) {
    int element = lookup(checks, id);
    return element && calc_dom_checked(element);
}

std::string plataforma() { return "Web"; }

// The page keeps running after main: the Controller on main's stack must
// stay where it is, so main never returns (the runtime stays alive and
// main's stack frame is never reused).
void executa_app() {
    calc_dom_ready();
    emscripten_exit_with_live_runtime();
}
