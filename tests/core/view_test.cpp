// The window as each program composes it: the exact facade calls in order.
#include <gtest/gtest.h>

#include "controller.h"
#include "geopos.h"
#include "recording_engine.h"
#include "view.h"

namespace {

std::vector<std::string> expected_calls() {
#if defined(CALC_ENGINE_GTK) || defined(CALC_ENGINE_WEB)  // calc-web has calc-gtk's layout
    return {
        "cria_janela(495, 620, 200, 200)",
        "escreve_texto(\"Orvalento\", 20, 40, 5, bold)",
        "escreve_texto(\"Emissão Total (Ton CO₂):\", 16, 20, 70, plain)",
        "cria_input_numerico(20, 90, 100, 10, 365.6)",
        "show_png_b64(280, 50, 230, 80, <png>)",
        "escreve_texto(\"% Mensal Compensar:\", 16, 290, 70, plain)",
        "cria_input_numerico(290, 90, 80, 11, 8.32)",
        "escreve_texto(\"Custo Arrendamento ($/10.000m²/month):\", 16, 20, 160, plain)",
        "cria_input_numerico(20, 180, 150, 12, 850.22)",
        "cria_checkbox(\"Somente arvores adultas\", 220, 185, 20)",
        "cria_botao(\"Calculates Compensation\", 130, 220, 200)",
        "escreve_texto(\"Simulation:\", 18, 20, 280, bold)",
        "cria_texto_saida(20, 300, 300, 200, 500)",
        "show_svg_b64(345, 350, 100, 100, <svg>)",
        "cria_campo_saida(20, 550, 400, 501)",
        "atualiza_texto(501, \"Parameters (Adult tree $: +10%) (Young Compensation: -30%)\")",
        "executa_app()",
    };
#elif defined(CALC_ENGINE_WIN32)
    return {
        "cria_janela(470, 620, 200, 200)",
        "escreve_texto(\"Orvalento\", 20, 40, 5, bold)",
        "escreve_texto(\"Emissão Total (Ton CO₂):\", 16, 20, 70, plain)",
        "cria_input_numerico(20, 90, 100, 10, 365.6)",
        "show_png_b64(250, 50, 190, 80, <png>)",
        "escreve_texto(\"% Mensal Compensar:\", 16, 260, 70, plain)",
        "cria_input_numerico(260, 90, 80, 11, 8.32)",
        "escreve_texto(\"Custo Arrendamento ($/10.000m²/month):\", 16, 20, 160, plain)",
        "cria_input_numerico(20, 180, 150, 12, 850.22)",
        "cria_checkbox(\"Somente arvores adultas\", 220, 185, 20)",
        "cria_botao(\"Calculates Compensation\", 130, 220, 200)",
        "escreve_texto(\"Simulation:\", 18, 20, 280, bold)",
        "cria_texto_saida(20, 300, 300, 200, 500)",
        "show_svg_b64(345, 350, 100, 100, <svg>)",
        "cria_campo_saida(20, 550, 400, 501)",
        "atualiza_texto(501, \"Parameters (Adult tree $: +10%) (Young Compensation: -30%)\")",
        "executa_app()",
    };
#elif defined(CALC_ENGINE_COCOA)
    return {
        "cria_janela(470, 620, 200, 200)",
        "escreve_texto(\"Orvalento\", 20, 40, 585, bold)",
        "escreve_texto(\"Emissão Total (Ton CO₂):\", 16, 20, 535, plain)",
        "cria_input_numerico(20, 505, 100, 10, 365.6)",
        "show_png_b64(250, 490, 190, 80, <png>)",
        "escreve_texto(\"% Mensal Compensar:\", 16, 260, 535, plain)",
        "cria_input_numerico(260, 505, 80, 11, 8.32)",
        "escreve_texto(\"Custo Arrendamento ($/10.000m²/month):\", 16, 20, 445, plain)",
        "cria_input_numerico(20, 415, 150, 12, 850.22)",
        "cria_checkbox(\"Somente arvores adultas\", 220, 415, 20)",
        "cria_botao(\"Calculates Compensation\", 130, 360, 200)",
        "escreve_texto(\"Simulation:\", 18, 20, 325, bold)",
        "cria_texto_saida(20, 120, 300, 200, 500)",
        "show_svg_b64(345, 170, 100, 100, <svg>)",
        "cria_campo_saida(20, 50, 400, 501)",
        "atualiza_texto(501, \"Parameters (Adult tree $: +10%) (Young Compensation: -30%)\")",
        "executa_app()",
    };
#else
#error "no expected layout for this engine: define CALC_ENGINE_GTK, CALC_ENGINE_WIN32, CALC_ENGINE_COCOA or CALC_ENGINE_WEB"
#endif
}

TEST(View, MakesTheSeventeenCallsInOrder) {
    recorder::reset();
    GeoPos geoPos(620, SISTEMA_NATIVO);
    Controller controller;
    View view(&controller, &geoPos);
    view.renderizar();
    EXPECT_EQ(recorder::calls, expected_calls());
    EXPECT_EQ(recorder::button_controller, &controller);
}

TEST(View, TheButtonReachesTheViewsControllerInsideTheLoop) {
    recorder::reset();
    recorder::inputs = {{10, "1"}, {11, "2"}, {12, "3"}};
    GeoPos geoPos(620, SISTEMA_NATIVO);
    Controller controller;
    View view(&controller, &geoPos);
    std::size_t calls_before_loop = 0;
    recorder::event_loop = [&] {
        calls_before_loop = recorder::calls.size();
        recorder::button_controller->aoClicarNoBotao("Calculates Compensation");
    };
    view.renderizar();

    // Area 500 stays untouched until the press; the press writes report 1.
    for (std::size_t i = 0; i < calls_before_loop; ++i)
        EXPECT_EQ(recorder::calls[i].rfind("atualiza_texto(500", 0), std::string::npos) << recorder::calls[i];
    EXPECT_EQ(controller.contador, 1);
    EXPECT_EQ(recorder::calls.back().rfind("atualiza_texto(500, ", 0), 0u) << recorder::calls.back();
}

}  // namespace
