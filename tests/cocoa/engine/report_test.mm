// The core's controller driven through the Cocoa engine: each press on the
// button puts in the output area the core's report of what the inputs show,
// in every locale.
#import "cocoa_engine.h"
#import "test_support.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "controller.h"
#include "facade.h"
#include "report.h"
#include "report_stamp.h"

namespace {

class Report : public testing::Test {
protected:
    static void SetUpTestSuite() {
        cria_input_numerico(20, 505, 100, 10, 365.6);
        cria_input_numerico(260, 505, 80, 11, 8.32);
        cria_input_numerico(20, 415, 150, 12, 850.22);
        cria_checkbox("Somente arvores adultas", 220, 415, 20);
        cria_texto_saida(20, 120, 300, 200, 500);
        cria_botao("Calculates Compensation", 130, 360, 200, &controller);
        button = (NSButton*)last_view();
    }

    // Presses the button and expects in area 500 the core's report for this
    // press and these inputs (as the core reads them: a point, no grouping);
    // only the stamp is read from the area.
    void press_expecting(const std::string& monthly, bool adult = false) {
        [button performClick:nil];
        const std::string shown = pega_input(500);
        std::tm when{};
        EXPECT_TRUE(read_stamp(shown, when)) << shown;
        EXPECT_EQ(shown, build_report(controller.contador, when, {"365.60", monthly, "850.22", adult}));
    }

    static Controller controller;
    static NSButton* button;
};

Controller Report::controller;
NSButton* Report::button = nil;

TEST_F(Report, EachPressReplacesTheReport) {
    press_expecting("8.32");
    press_expecting("8.32");
    [checks[20] setState:NSControlStateValueOn];
    press_expecting("8.32", true);
    [checks[20] setState:NSControlStateValueOff];
    atualiza_texto(11, "muito");  // no number: read and reported as it is
    press_expecting("muito");
    EXPECT_EQ(controller.contador, 4);
}

TEST_F(Report, PtBrCommaNumbersReachTheCoreAsItReadsThem) {
    EXPECT_EQ(utf8([txts[11] stringValue]), "8,32");
    press_expecting("8.32");
    atualiza_texto(11, "1.234,50");
    press_expecting("1234.50");
}

TEST_F(Report, EnUsGroupingIsDroppedForTheCore) {
    atualiza_texto(11, "1,234.50");
    EXPECT_EQ(utf8([txts[11] stringValue]), "1,234.50");
    press_expecting("1234.50");
}

}  // namespace
