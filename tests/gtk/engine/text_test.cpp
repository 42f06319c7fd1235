// Reading and writing texts: spin button parsing and clamping, "%f" in the
// user's locale, and markup that must never be interpreted.
#include "facade.h"
#include "gtk_engine.h"
#include "support.h"

using namespace gtktest;

namespace {

double value_of(int id) { return gtk_spin_button_get_value(GTK_SPIN_BUTTON(txts.at(id))); }

}  // namespace

TEST_F(EngineTest, SpinButtonTakesTheLeadingNumberAndClampsIt) {
    NumericLocale point("C");
    ASSERT_TRUE(point.ok());
    cria_input_numerico(20, 90, 100, 10, 365.6);

    atualiza_texto(10, "12.5abc");
    EXPECT_DOUBLE_EQ(value_of(10), 12.5);
    atualiza_texto(10, "  \t42");
    EXPECT_DOUBLE_EQ(value_of(10), 42.0);
    atualiza_texto(10, "20000");
    EXPECT_DOUBLE_EQ(value_of(10), 10000.0);
    EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(txts.at(10))), "10000.00");
    atualiza_texto(10, "-3");
    EXPECT_DOUBLE_EQ(value_of(10), 0.0);
    atualiza_texto(10, "inf");
    EXPECT_DOUBLE_EQ(value_of(10), 10000.0);
    atualiza_texto(10, "1e2");
    EXPECT_DOUBLE_EQ(value_of(10), 100.0);
}

TEST_F(EngineTest, SpinButtonKeepsItsValueWhenTheTextHoldsNoUsableNumber) {
    NumericLocale point("C");
    cria_input_numerico(20, 90, 100, 10, 365.6);
    for (const char* text : {"abc", "", "   ", "nan", "NaN(1)", "1e999", "-1e999", ".", "-"}) {
        SCOPED_TRACE(text);
        atualiza_texto(10, text);
        EXPECT_DOUBLE_EQ(value_of(10), 365.6);
    }
}

TEST_F(EngineTest, SpinButtonReadsTheUsersDecimalComma) {
    NumericLocale comma("pt_BR.UTF-8");
    ASSERT_TRUE(comma.ok());
    cria_input_numerico(20, 90, 100, 10, 0.0);
    atualiza_texto(10, "12,5abc");
    EXPECT_DOUBLE_EQ(value_of(10), 12.5);
    atualiza_texto(10, "8.32");  // the point ends the number here
    EXPECT_DOUBLE_EQ(value_of(10), 8.0);
}

TEST_F(EngineTest, PegaInputFormatsLikePrintfInTheCurrentLocale) {
    cria_input_numerico(20, 90, 100, 10, 365.6);
    cria_input_numerico(290, 90, 80, 11, 8.32);
    {
        NumericLocale point("C");
        EXPECT_EQ(pega_input(10), "365.600000");
        EXPECT_EQ(pega_input(11), "8.320000");
    }
    {
        NumericLocale point("en_US.UTF-8");
        ASSERT_TRUE(point.ok());
        atualiza_texto(10, "1234567.891");  // clamped; and never grouped
        EXPECT_EQ(pega_input(10), "10000.000000");
    }
    {
        NumericLocale comma("pt_BR.UTF-8");
        ASSERT_TRUE(comma.ok());
        EXPECT_EQ(pega_input(11), "8,320000");
        atualiza_texto(10, "365,6");
        EXPECT_EQ(pega_input(10), "365,600000");
    }
}

TEST_F(EngineTest, PegaInputOfLabelsAndUnknownIdsIsZero) {
    cria_campo_saida(20, 550, 400, 501);
    cria_texto_saida(20, 300, 300, 200, 500);
    atualiza_texto(501, "Parameters (Adult tree $: +10%) (Young Compensation: -30%)");
    atualiza_texto(500, "123.4");
    EXPECT_EQ(pega_input(501), "0");
    EXPECT_EQ(pega_input(500), "0");
    EXPECT_EQ(pega_input(12), "0");
}

TEST_F(EngineTest, EscreveTextoEscapesTheTextIntoItsMarkup) {
    escreve_texto("Custo <b>A&B</b> 'x' \"y\"", 16, 20, 160, false);
    GtkLabel* plain = GTK_LABEL(last_child());
    EXPECT_STREQ(gtk_label_get_text(plain), "Custo <b>A&B</b> 'x' \"y\"");
    EXPECT_TRUE(g_str_has_prefix(gtk_label_get_label(plain), "<span font_desc='Arial 16'>Custo &lt;b&gt;A&amp;B"));
    EXPECT_TRUE(gtk_label_get_use_markup(plain));

    escreve_texto("Orvalento & <Co>", 20, 40, 5, true);
    GtkLabel* bold = GTK_LABEL(last_child());
    EXPECT_STREQ(gtk_label_get_text(bold), "Orvalento & <Co>");
    EXPECT_STREQ(gtk_label_get_label(bold), "<span font_desc='Arial 20'><b>Orvalento &amp; &lt;Co&gt;</b></span>");
    EXPECT_EQ(position(GTK_WIDGET(bold)), std::make_pair(40, 5));
}

TEST_F(EngineTest, AtualizaTextoShowsLabelTextLiterallyWithItsLines) {
    cria_texto_saida(20, 300, 300, 200, 500);
    GtkLabel* area = GTK_LABEL(txts.at(500));
    // Any text: markup characters, a symbol outside the BMP, an empty line.
    const std::string report = "Line 1   [2026/12/06]\n\n \U0001F331 -30%CO\u2082\nA: <b>&amp;</b>\nB: 99.840000\n";
    atualiza_texto(500, report);
    EXPECT_EQ(gtk_label_get_text(area), report);
    EXPECT_FALSE(gtk_label_get_use_markup(area));
    // Five lines of text, and the empty one after the final newline.
    PangoLayout* layout = gtk_label_get_layout(area);
    EXPECT_EQ(pango_layout_get_line_count(layout), 6);

    atualiza_texto(500, "");
    EXPECT_STREQ(gtk_label_get_text(area), "");
}
