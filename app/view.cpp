#include "view.h"

#include <string>

#include "controller.h"
#include "facade.h"
#include "geopos.h"
#include "images.h"
#include "program_values.h"

View::View(Controller* controller, GeoPos* geoPos) : controller(controller), geoPos(geoPos) {}

void View::renderizar() {
    GeoPos& g = *geoPos;
    const std::string panel = PANEL_PNG_B64;
    const std::string logo = LOGO_SVG_B64;

    // Left margin 20; first row at 70 (labels) and 90 (inputs); the second
    // column's panel starts 20 above the first row; third row at 160.
    cria_janela(PROGRAM.windowWidth, 620, 200, 200);
    escreve_texto("Orvalento", 20, g.x(40), g.y(5, 30), true);
    escreve_texto("Emissão Total (Ton CO₂):", 16, g.x(20), g.y(70, 15), false);
    cria_input_numerico(g.x(20), g.y(90, 25), 100, 10, 365.6);
    show_png_b64(g.x(PROGRAM.panelX), g.y(50, 80), PROGRAM.panelWidth, 80, panel);
    escreve_texto("% Mensal Compensar:", 16, g.x(PROGRAM.columnX), g.y(70, 15), false);
    cria_input_numerico(g.x(PROGRAM.columnX), g.y(90, 25), 80, 11, 8.32);
    escreve_texto("Custo Arrendamento ($/10.000m²/month):", 16, g.x(20), g.y(160, 15), false);
    cria_input_numerico(g.x(20), g.y(180, 25), 150, 12, 850.22);
    cria_checkbox("Somente arvores adultas", g.x(220), g.y(185, 20), 20);
    cria_botao("Calculates Compensation", g.x(130), g.y(220, 40), 200, controller);
    escreve_texto("Simulation:", 18, g.x(20), g.y(280, 15), true);
    cria_texto_saida(g.x(20), g.y(300, 200), 300, 200, 500);
    show_svg_b64(g.x(345), g.y(350, 100), 100, 100, logo);
    cria_campo_saida(g.x(20), g.y(550, 20), 400, 501);
    atualiza_texto(501, "Parameters (Adult tree $: +10%) (Young Compensation: -30%)");
    executa_app();
}
