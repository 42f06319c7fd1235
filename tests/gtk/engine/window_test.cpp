// The window, and where each widget lands.
#include <clocale>
#include <cstring>

#include "facade.h"
#include "gtk_engine.h"
#include "support.h"

using namespace gtktest;

TEST(Window, IsTheTitledToplevelHoldingTheFixedContainer) {
    ASSERT_TRUE(GTK_IS_WINDOW(hJanelaPrincipal));
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(hJanelaPrincipal)), "Malventra");
    int width = 0, height = 0;
    gtk_window_get_default_size(GTK_WINDOW(hJanelaPrincipal), &width, &height);
    EXPECT_EQ(width, 495);
    EXPECT_EQ(height, 620);
    EXPECT_TRUE(gtk_widget_get_visible(hJanelaPrincipal));
    ASSERT_TRUE(GTK_IS_FIXED(fixed_container));
    EXPECT_EQ(gtk_bin_get_child(GTK_BIN(hJanelaPrincipal)), fixed_container);
    EXPECT_EQ(plataforma(), "Linux Debian (GTK3)");
}

TEST(Window, TakesTheLocaleFromTheUsersEnvironment) {
    // The test process runs as a pt_BR.UTF-8 user; gtk_init adopts it.
    EXPECT_STREQ(setlocale(LC_NUMERIC, nullptr), "pt_BR.UTF-8");
}

TEST_F(EngineTest, WidgetsArePlacedShownAndSizedAsRequested) {
    struct Expected {
        GtkWidget* widget;
        int x, y, width, height;
    };
    std::vector<Expected> all;
    auto add_last = [&](int x, int y, int w, int h) { all.push_back({last_child(), x, y, w, h}); };

    escreve_texto("Simulation:", 18, 20, 280, true);
    add_last(20, 280, -1, -1);
    cria_input_numerico(290, 90, 80, 11, 8.32);
    add_last(290, 90, 80, 30);
    cria_checkbox("Somente arvores adultas", 220, 185, 20);
    add_last(220, 185, -1, -1);
    cria_botao("Calculates Compensation", 130, 220, 200, nullptr);
    add_last(130, 220, 200, 35);
    EXPECT_EQ(cria_texto_saida(20, 300, 300, 200, 500), 500);
    add_last(20, 300, 300, 200);
    EXPECT_EQ(cria_campo_saida(20, 550, 400, 501), 501);
    add_last(20, 550, 400, 25);

    for (const Expected& e : all) {
        SCOPED_TRACE(G_OBJECT_TYPE_NAME(e.widget));
        EXPECT_EQ(position(e.widget), std::make_pair(e.x, e.y));
        EXPECT_TRUE(gtk_widget_get_visible(e.widget));
        int w = 0, h = 0;
        gtk_widget_get_size_request(e.widget, &w, &h);
        EXPECT_EQ(w, e.width);
        EXPECT_EQ(h, e.height);
    }
    EXPECT_TRUE(GTK_IS_LABEL(all[0].widget));
    EXPECT_TRUE(GTK_IS_SPIN_BUTTON(all[1].widget));
    EXPECT_TRUE(GTK_IS_CHECK_BUTTON(all[2].widget));
    EXPECT_FALSE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(all[2].widget)));
    EXPECT_TRUE(GTK_IS_BUTTON(all[3].widget));
    EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(all[4].widget)), "");
    EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(all[5].widget)), "---");
    EXPECT_FLOAT_EQ(gtk_label_get_xalign(GTK_LABEL(all[4].widget)), 0.0f);
    EXPECT_FLOAT_EQ(gtk_label_get_xalign(GTK_LABEL(all[5].widget)), 0.0f);
    EXPECT_EQ(txts.at(11), all[1].widget);
    EXPECT_EQ(txts.at(500), all[4].widget);
    EXPECT_EQ(txts.at(501), all[5].widget);
    EXPECT_EQ(checks.at(20), all[2].widget);
}

TEST_F(EngineTest, NumericInputIsABoundedSpinButtonWithTwoDecimals) {
    cria_input_numerico(20, 90, 100, 10, 365.6);
    GtkSpinButton* spin = GTK_SPIN_BUTTON(txts.at(10));
    GtkAdjustment* adj = gtk_spin_button_get_adjustment(spin);
    EXPECT_DOUBLE_EQ(gtk_adjustment_get_lower(adj), 0.0);
    EXPECT_DOUBLE_EQ(gtk_adjustment_get_upper(adj), 10000.0);
    EXPECT_DOUBLE_EQ(gtk_adjustment_get_step_increment(adj), 0.1);
    EXPECT_DOUBLE_EQ(gtk_adjustment_get_page_increment(adj), 1.0);
    EXPECT_EQ(gtk_spin_button_get_digits(spin), 2u);
    EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(spin)), "365,60");  // the user's decimal comma

    // Initial values outside the range move to the nearer bound.
    cria_input_numerico(20, 90, 100, 12, 20000.0);
    EXPECT_DOUBLE_EQ(gtk_spin_button_get_value(GTK_SPIN_BUTTON(txts.at(12))), 10000.0);
    cria_input_numerico(20, 90, 100, 13, -4.0);
    EXPECT_DOUBLE_EQ(gtk_spin_button_get_value(GTK_SPIN_BUTTON(txts.at(13))), 0.0);
}
