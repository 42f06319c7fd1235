// Push buttons: which controller a click reaches and with which label.
#include "controller.h"
#include "facade.h"
#include "gtk_engine.h"
#include "support.h"

using namespace gtktest;

TEST_F(EngineTest, EveryButtonReachesTheControllerOfTheLatestCriaBotao) {
    Controller first, second;
    cria_botao("Calculates Compensation", 130, 220, 200, &first);
    GtkWidget* first_button = last_child();
    cria_botao("Again", 130, 260, 200, &second);
    GtkWidget* second_button = last_child();
    ASSERT_NE(first_button, second_button);

    gtk_button_clicked(GTK_BUTTON(first_button));
    gtk_button_clicked(GTK_BUTTON(second_button));
    gtk_button_clicked(GTK_BUTTON(first_button));

    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[0].controller, &second);
    EXPECT_EQ(clicks[0].label, "Calculates Compensation");
    EXPECT_EQ(clicks[1].controller, &second);
    EXPECT_EQ(clicks[1].label, "Again");
    EXPECT_EQ(clicks[2].label, "Calculates Compensation");
    EXPECT_EQ(first.contador, 0);
    EXPECT_EQ(second.contador, 3);
}

TEST_F(EngineTest, ButtonPassesItsCurrentLabelAsUtf8) {
    Controller controller;
    cria_botao("", 0, 0, 100, &controller);
    GtkWidget* button = last_child();
    gtk_button_clicked(GTK_BUTTON(button));
    gtk_button_set_label(GTK_BUTTON(button), "Compensação \U0001F333");
    gtk_button_clicked(GTK_BUTTON(button));
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].label, "");
    EXPECT_EQ(clicks[1].label, "Compensação \U0001F333");
}

TEST_F(EngineTest, ClickWithoutAControllerDoesNothing) {
    cria_botao("Calculates Compensation", 130, 220, 200, nullptr);
    gtk_button_clicked(GTK_BUTTON(last_child()));
    EXPECT_TRUE(clicks.empty());
}

TEST_F(EngineTest, CheckboxToggledByTheUserCallsNoController) {
    Controller controller;
    cria_botao("Calculates Compensation", 130, 220, 200, &controller);
    cria_checkbox("Somente arvores adultas", 220, 185, 20);
    gtk_button_clicked(GTK_BUTTON(checks.at(20)));  // what a click on it does
    EXPECT_TRUE(verifica_checkbox(20));
    EXPECT_TRUE(clicks.empty());
}
