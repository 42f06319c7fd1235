// The rules of the widget facade that hold on every engine, run on each
// engine's real toolkit. The window and the registries live as long as the
// process, so every test uses ids of its own.
#include <gtest/gtest.h>

#include "facade.h"
#include "images.h"
#include "recording_controller.h"
#include "toolkit.h"

using namespace toolkit;

namespace {

class Facade : public testing::Test {
protected:
    static void SetUpTestSuite() { ensure_window(); }
    void SetUp() override { clicks.clear(); }
};

TEST_F(Facade, ASecondTextWidgetUnderAnIdTakesOverReadsAndWritesAndTheFirstStays) {
    cria_input_numerico(20, 90, 100, 30, 1.5);
    Widget first = last_widget();
    const std::string first_read = pega_input(30);
    const std::size_t texts = registered_texts();
    cria_input_numerico(20, 120, 100, 30, 2.5);
    Widget second = last_widget();
    ASSERT_NE(first, second);
    EXPECT_EQ(registered_texts(), texts);
    EXPECT_NE(pega_input(30), first_read);

    const std::string first_shown = shown_text(first), second_shown = shown_text(second);
    atualiza_texto(30, "7");
    EXPECT_NE(shown_text(second), second_shown);
    EXPECT_EQ(shown_text(first), first_shown);
    EXPECT_TRUE(on_screen(first));
}

TEST_F(Facade, ASecondCheckboxUnderAnIdTakesOverReads) {
    cria_checkbox("a", 220, 185, 31);
    Widget first = last_widget();
    const std::size_t checks = registered_checks();
    cria_checkbox("b", 220, 215, 31);
    Widget second = last_widget();
    EXPECT_EQ(registered_checks(), checks);
    click(first);
    EXPECT_FALSE(verifica_checkbox(31));
    click(second);
    EXPECT_TRUE(verifica_checkbox(31));
    EXPECT_TRUE(on_screen(first));
}

TEST_F(Facade, TextsAndCheckboxesAreSeparateIdSpaces) {
    cria_checkbox("Somente arvores adultas", 220, 185, 32);
    Widget box = last_widget();
    atualiza_texto(32, "not a text widget");  // none under 32 yet
    EXPECT_EQ(shown_text(box), "Somente arvores adultas");
    EXPECT_EQ(pega_input(32), UNREGISTERED_TEXT);

    cria_input_numerico(20, 90, 100, 32, 5.0);
    const std::string read = pega_input(32);
    click(box);
    EXPECT_TRUE(verifica_checkbox(32));
    EXPECT_EQ(pega_input(32), read);
    atualiza_texto(32, "7");
    EXPECT_NE(pega_input(32), read);
    EXPECT_EQ(shown_text(box), "Somente arvores adultas");
    EXPECT_TRUE(verifica_checkbox(32));
    click(box);
    EXPECT_FALSE(verifica_checkbox(32));
}

TEST_F(Facade, LookupsOfUnregisteredIdsChangeNothingAndAddNothing) {
    cria_campo_saida(20, 550, 400, 33);
    Widget last = last_widget();
    const std::size_t texts = registered_texts(), checks = registered_checks();
    atualiza_texto(999, "x");
    EXPECT_EQ(pega_input(999), UNREGISTERED_TEXT);
    EXPECT_FALSE(verifica_checkbox(999));
    EXPECT_FALSE(verifica_checkbox(33));  // a text widget is no checkbox
    EXPECT_EQ(registered_texts(), texts);
    EXPECT_EQ(registered_checks(), checks);
    EXPECT_EQ(last_widget(), last);
}

TEST_F(Facade, OnlyInputsOutputsAndCheckboxesAreRegistered) {
    const std::size_t texts = registered_texts(), checks = registered_checks();
    escreve_texto("Orvalento", 20, 40, 5, true);
    cria_botao("Calculates Compensation", 130, 220, 200, nullptr);
    show_png_b64(250, 50, 190, 80, PANEL_PNG_B64);
    EXPECT_EQ(registered_texts(), texts);
    EXPECT_EQ(registered_checks(), checks);

    cria_input_numerico(20, 90, 100, 34, 1.0);
    EXPECT_EQ(cria_campo_saida(20, 550, 400, 35), 35);
    EXPECT_EQ(cria_texto_saida(20, 300, 300, 200, 36), 36);
    EXPECT_EQ(registered_texts(), texts + 3);
    EXPECT_EQ(registered_checks(), checks);
    cria_checkbox("Somente arvores adultas", 220, 185, 37);
    EXPECT_EQ(registered_texts(), texts + 3);
    EXPECT_EQ(registered_checks(), checks + 1);
}

TEST_F(Facade, AClickReachesTheControllerWithTheButtonsCurrentLabel) {
    Controller controller;
    cria_botao("Calculates Compensation", 130, 260, 200, &controller);
    Widget button = last_widget();
    click(button);
    relabel(button, "Compensação \U0001F333");
    click(button);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].controller, &controller);
    EXPECT_EQ(clicks[0].label, "Calculates Compensation");
    EXPECT_EQ(clicks[1].label, "Compensação \U0001F333");
    EXPECT_EQ(controller.contador, 2);
}

TEST_F(Facade, TwoButtonsWithTwoControllers) {
    Controller first, second;
    cria_botao("Primeiro", 130, 220, 200, &first);
    Widget early = last_widget();
    cria_botao("", 130, 260, 200, &second);
    Widget late = last_widget();
    ASSERT_NE(early, late);
    click(early);
    click(late);
    ASSERT_EQ(clicks.size(), 2u);
    // GTK and Win32 keep one controller for all buttons, Cocoa one per button.
    EXPECT_EQ(clicks[0].controller, EACH_BUTTON_HAS_ITS_OWN_CONTROLLER ? &first : &second);
    EXPECT_EQ(clicks[0].label, "Primeiro");
    EXPECT_EQ(clicks[1].controller, &second);
    EXPECT_EQ(clicks[1].label, "");  // an empty label arrives empty
}

TEST_F(Facade, AButtonWithoutAControllerDoesNothing) {
    cria_botao("Nada", 130, 220, 200, nullptr);
    click(last_widget());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(Facade, CheckboxesAndInputsNeverCallTheController) {
    Controller controller;
    cria_botao("Calculates Compensation", 130, 220, 200, &controller);
    cria_checkbox("Somente arvores adultas", 220, 400, 38);
    Widget box = last_widget();
    cria_input_numerico(20, 400, 80, 39, 1.0);
    click(box);
    EXPECT_TRUE(verifica_checkbox(38));
    atualiza_texto(39, "2");  // the toolkit's change notifications
    EXPECT_TRUE(clicks.empty());
}

}  // namespace
