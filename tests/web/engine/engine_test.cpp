// The web engine's own rules on a real page: numeric inputs that behave as
// spin buttons, keys, names for screen readers, images. Elements are found
// by their facade id, as the end-to-end drivers find them.
#include <emscripten.h>
#include <gtest/gtest.h>

#include <string>

#include "facade.h"
#include "images.h"
#include "recording_controller.h"
#include "web_engine.h"

namespace {

EM_JS(void, type_into, (int id, const char* text), {
  var input = document.querySelector('[data-calc-id="' + id + '"]');
  input.focus();
  input.value = UTF8ToString(text);
  input.setSelectionRange(1, 1);
});
EM_JS(void, key, (int id, const char* name), {
  var event = new KeyboardEvent('keydown', {key: UTF8ToString(name), bubbles: true, cancelable: true});
  document.querySelector('[data-calc-id="' + id + '"]').dispatchEvent(event);
});
// An attribute; "name": the accessible name; "caret": focused id and caret.
EM_JS(char*, look_js, (int id, const char* what), {
  var element = document.querySelector('[data-calc-id="' + id + '"]'), what = UTF8ToString(what);
  var labels = element.getAttribute('aria-labelledby') ? [document.getElementById(element.getAttribute('aria-labelledby'))] : element.labels;
  var value = what == 'name' ? labels[0].textContent : what == 'caret' ? document.activeElement.dataset.calcId + ':' + element.selectionStart
            : element.getAttribute(what) || "";
  var size = lengthBytesUTF8(value) + 1, copy = _malloc(size);
  stringToUTF8(value, copy, size);
  return copy;
});
std::string look(int id, const char* what) {
    char* raw = look_js(id, what);
    std::string value = raw;
    free(raw);
    return value;
}

TEST(WebNumericInput, NumbersAreKeptInRangeWithTwoDecimalsAndOtherTextStaysAsTyped) {
    cria_input_numerico(20, 90, 100, 40, 365.6);
    EXPECT_EQ(pega_input(40), "365.600000");
    for (auto [typed, reads] : {std::pair{"20000", "10000.000000"}, {"-1", "0.000000"}, {" 8.326 ", "8.330000"},
                                {"1e3", "1000.000000"}, {"abc", "abc"}, {"", ""}, {"8,32", "8,32"}, {"1e400", "1e400"}}) {
        const bool number = reads != std::string(typed);
        type_into(40, typed);
        if (!number) key(40, "ArrowUp");  // steps only a number
        EXPECT_EQ(pega_input(40), reads) << typed;
        EXPECT_EQ(look(40, "aria-invalid"), number ? "" : "true") << typed;
    }
}

TEST(WebNumericInput, ArrowsStepAndEnterPressesTheButtonLeavingTheCaret) {
    clicks.clear();
    Controller controller;
    cria_input_numerico(20, 90, 100, 42, 9.95);
    cria_botao("Calculates Compensation", 130, 220, 200, &controller);
    key(42, "ArrowUp");
    EXPECT_EQ(pega_input(42), "10.050000");
    key(42, "PageDown");
    EXPECT_EQ(pega_input(42), "9.050000");
    type_into(42, "5");
    key(42, "Enter");
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].label, "Calculates Compensation");
    EXPECT_EQ(look(42, "caret"), "42:1");  // the next digit goes after the 5
    key(42, "Escape");
    EXPECT_EQ(pega_input(42), "5.000000");
}

TEST(WebAccessibility, InputsAndTheReportAreNamedAfterTheirCaptions) {
    escreve_texto("% Mensal Compensar:", 16, 290, 370, false);
    cria_input_numerico(290, 390, 80, 43, 8.32);
    escreve_texto("Simulation:", 18, 20, 430, true);
    cria_texto_saida(20, 450, 300, 200, 44);
    cria_checkbox("Somente arvores adultas", 220, 185, 45);
    EXPECT_EQ(look(43, "role"), "spinbutton");
    EXPECT_EQ(look(43, "name"), "% Mensal Compensar:");
    EXPECT_EQ(look(44, "name"), "Simulation:");
    EXPECT_EQ(look(45, "name"), "Somente arvores adultas");
}

TEST(WebImages, BadTextShowsNothing) {
    const int before = calc_dom_last();
    show_png_b64(280, 50, 230, 80, "!!!!");
    show_svg_b64(345, 350, 100, 100, "");
    EXPECT_EQ(calc_dom_last(), before);
    show_png_b64(280, 50, 230, 80, PANEL_PNG_B64);
    show_svg_b64(345, 350, 100, 100, LOGO_SVG_B64);
    EXPECT_EQ(calc_dom_last(), before + 2);
}

}  // namespace
