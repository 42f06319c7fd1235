// The web engine's own rules on a real page: numeric inputs that behave as
// spin buttons, keys, names for screen readers, images.
#include <emscripten.h>
#include <gtest/gtest.h>

#include <string>

#include "facade.h"
#include "images.h"
#include "recording_controller.h"
#include "web_engine.h"

namespace {

// The element a facade id reaches, found as the end-to-end drivers find it.
EM_JS(void, type_into, (int id, const char* text), {
  var input = document.querySelector('[data-calc-id="' + id + '"]');
  input.focus();
  input.value = UTF8ToString(text);
  input.setSelectionRange(1, 1);
  input.dispatchEvent(new Event('input', {bubbles: true}));
});
EM_JS(void, key, (int id, const char* name), {
  var input = document.querySelector('[data-calc-id="' + id + '"]');
  input.dispatchEvent(new KeyboardEvent('keydown', {key: UTF8ToString(name), bubbles: true, cancelable: true}));
});
EM_JS(int, focused_here, (int id, int caret), {
  var input = document.activeElement;
  return input.dataset.calcId == id && input.selectionStart == caret ? 1 : 0;
});
EM_JS(char*, attribute, (int id, const char* name), {
  var element = document.querySelector('[data-calc-id="' + id + '"]');
  var name = UTF8ToString(name), value = name == 'name' ? element.labels && element.labels.length
      ? element.labels[0].textContent : document.getElementById(element.getAttribute('aria-labelledby')).textContent
      : element.getAttribute(name) || "";
  var size = lengthBytesUTF8(value) + 1, copy = _malloc(size);
  stringToUTF8(value, copy, size);
  return copy;
});

std::string attribute_of(int id, const char* name) {
    char* raw = attribute(id, name);
    std::string value = raw;
    free(raw);
    return value;
}

TEST(WebNumericInput, ShowsTwoDecimalsReadsSixAndKeepsTheRange) {
    cria_input_numerico(20, 90, 100, 40, 365.6);
    EXPECT_EQ(pega_input(40), "365.600000");
    for (auto [typed, reads] : {std::pair{"20000", "10000.000000"}, {"-1", "0.000000"}, {" 8.326 ", "8.330000"},
                                {"1e3", "1000.000000"}}) {
        type_into(40, typed);
        EXPECT_EQ(pega_input(40), reads) << typed;
    }
    EXPECT_EQ(attribute_of(40, "aria-valuenow"), "1000");
}

TEST(WebNumericInput, TextThatIsNoNumberStaysAsTypedAndReadsAsTyped) {
    cria_input_numerico(20, 90, 100, 41, 8.32);
    for (const char* typed : {"abc", "", "8,32", "nan", "1e400", "8.32abc"}) {
        type_into(41, typed);
        key(41, "ArrowUp");  // steps only a number
        EXPECT_EQ(pega_input(41), typed);
        EXPECT_EQ(attribute_of(41, "aria-invalid"), "true");
    }
    atualiza_texto(41, "letters");
    EXPECT_EQ(pega_input(41), "letters");
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
    EXPECT_EQ(pega_input(42), "5.000000");
    EXPECT_TRUE(focused_here(42, 1));  // the next digit goes after the 5
    key(42, "Escape");
    EXPECT_EQ(pega_input(42), "5.000000");
}

TEST(WebAccessibility, InputsAndTheReportAreNamedAfterTheirCaptions) {
    escreve_texto("% Mensal Compensar:", 16, 290, 370, false);
    cria_input_numerico(290, 390, 80, 43, 8.32);
    escreve_texto("Simulation:", 18, 20, 430, true);
    cria_texto_saida(20, 450, 300, 200, 44);
    cria_checkbox("Somente arvores adultas", 220, 185, 45);
    EXPECT_EQ(attribute_of(43, "role"), "spinbutton");
    EXPECT_EQ(attribute_of(43, "name"), "% Mensal Compensar:");
    EXPECT_EQ(attribute_of(44, "name"), "Simulation:");
    EXPECT_EQ(attribute_of(44, "readonly"), "");
    EXPECT_EQ(attribute_of(45, "name"), "Somente arvores adultas");
}

TEST(WebImages, EachImageFillsItsRectangleAndBadTextShowsNothing) {
    const int before = calc_dom_last();
    show_png_b64(280, 50, 230, 80, "!!!!");
    show_svg_b64(345, 350, 100, 100, "");
    EXPECT_EQ(calc_dom_last(), before);
    show_png_b64(280, 50, 230, 80, PANEL_PNG_B64);
    show_svg_b64(345, 350, 100, 100, LOGO_SVG_B64);
    EXPECT_EQ(calc_dom_last(), before + 2);
    EXPECT_TRUE(calc_dom_on_screen(before + 2));
}

}  // namespace
