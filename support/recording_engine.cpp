#include "recording_engine.h"

#include <cstdio>

#include "facade.h"
#include "images.h"

namespace recorder {
std::vector<std::string> calls;
std::map<int, std::string> inputs;
std::map<int, bool> checkboxes;
Controller* button_controller = nullptr;
std::function<void()> event_loop;

void reset() {
    calls.clear();
    inputs.clear();
    checkboxes.clear();
    button_controller = nullptr;
    event_loop = nullptr;
}
}  // namespace recorder

namespace {

std::string num(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string image(const std::string& b64) {
    if (b64 == PANEL_PNG_B64) return "<png>";
    if (b64 == LOGO_SVG_B64) return "<svg>";
    return "<" + std::to_string(b64.size()) + " chars>";
}

void record(const std::string& call) { recorder::calls.push_back(call); }

std::string ints(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += (out.empty() ? "" : ", ") + std::to_string(v);
    return out;
}

}  // namespace

void cria_janela(int width, int height, int x, int y) { record("cria_janela(" + ints({width, height, x, y}) + ")"); }

void escreve_texto(std::string text, int size, int x, int y, bool bold) {
    record("escreve_texto(\"" + text + "\", " + ints({size, x, y}) + (bold ? ", bold)" : ", plain)"));
}

void cria_input_numerico(int x, int y, int width, int id, double value) {
    record("cria_input_numerico(" + ints({x, y, width, id}) + ", " + num(value) + ")");
}

void cria_input(int x, int y, int width, int id, std::string text) {
    record("cria_input(" + ints({x, y, width, id}) + ", \"" + text + "\")");
}

void cria_checkbox(std::string label, int x, int y, int id) {
    record("cria_checkbox(\"" + label + "\", " + ints({x, y, id}) + ")");
}

void cria_botao(std::string label, int x, int y, int width, Controller* controller) {
    recorder::button_controller = controller;
    record("cria_botao(\"" + label + "\", " + ints({x, y, width}) + ")");
}

int cria_texto_saida(int x, int y, int width, int height, int id) {
    record("cria_texto_saida(" + ints({x, y, width, height, id}) + ")");
    return id;
}

int cria_campo_saida(int x, int y, int width, int id) {
    record("cria_campo_saida(" + ints({x, y, width, id}) + ")");
    return id;
}

void show_png_b64(int x, int y, int width, int height, std::string base64) {
    record("show_png_b64(" + ints({x, y, width, height}) + ", " + image(base64) + ")");
}

void show_svg_b64(int x, int y, int width, int height, std::string base64) {
    record("show_svg_b64(" + ints({x, y, width, height}) + ", " + image(base64) + ")");
}

void cria_webview(std::string url, int x, int y, int width, int height) {
    record("cria_webview(\"" + url + "\", " + ints({x, y, width, height}) + ")");
}

void atualiza_texto(int id, std::string text) { record("atualiza_texto(" + std::to_string(id) + ", \"" + text + "\")"); }

std::string pega_input(int id) {
    record("pega_input(" + std::to_string(id) + ")");
    auto it = recorder::inputs.find(id);
    return it == recorder::inputs.end() ? "" : it->second;
}

bool verifica_checkbox(int id) {
    record("verifica_checkbox(" + std::to_string(id) + ")");
    auto it = recorder::checkboxes.find(id);
    return it != recorder::checkboxes.end() && it->second;
}

std::string plataforma() {
    record("plataforma()");
    return "recorder";
}

void executa_app() {
    record("executa_app()");
    if (recorder::event_loop) recorder::event_loop();
}
