// The widget facade: the whole contract between the application core and a
// platform engine. Each program links exactly one engine that defines these
// functions. Every string is UTF-8 and passed by value; coordinates are
// pixels (points on macOS) of the main window's content area.
#pragma once

#include <string>

class Controller;

void cria_janela(int width, int height, int x, int y);
void escreve_texto(std::string text, int size, int x, int y, bool bold);
void cria_input_numerico(int x, int y, int width, int id, double value);
void cria_input(int x, int y, int width, int id, std::string text);
void cria_checkbox(std::string label, int x, int y, int id);
void cria_botao(std::string label, int x, int y, int width, Controller* controller);
int cria_texto_saida(int x, int y, int width, int height, int id);
int cria_campo_saida(int x, int y, int width, int id);
void show_png_b64(int x, int y, int width, int height, std::string base64);
void show_svg_b64(int x, int y, int width, int height, std::string base64);
void cria_webview(std::string url, int x, int y, int width, int height);
void atualiza_texto(int id, std::string text);
std::string pega_input(int id);
bool verifica_checkbox(int id);
std::string plataforma();
void executa_app();
