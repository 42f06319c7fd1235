// The core's controller driven through the Cocoa engine: a press on the
// button fills the output area, and the annual figure is the number shown in
// input 11 times twelve in every locale.
#import "cocoa_engine.h"
#import "test_support.h"

#include <gtest/gtest.h>

#include <string>

#include "controller.h"
#include "facade.h"

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

    std::string press() {
        [button performClick:nil];
        return pega_input(500);
    }

    static Controller controller;
    static NSButton* button;
};

Controller Report::controller;
NSButton* Report::button = nil;

TEST_F(Report, EachPressReplacesTheReport) {
    std::string first = press();
    EXPECT_EQ(first.rfind("Results 1 ", 0), 0u) << first;
    EXPECT_NE(first.find("COMPENSAR: 8.32\n"), std::string::npos) << first;
    EXPECT_NE(first.find("COMP ANUAL: 99.840000\n"), std::string::npos) << first;
    std::string second = press();
    EXPECT_EQ(second.rfind("Results 2 ", 0), 0u) << second;
    EXPECT_EQ(second.find("Results 1"), std::string::npos);
    [checks[20] setState:NSControlStateValueOn];
    EXPECT_NE(press().find("Adult trees"), std::string::npos);
    [checks[20] setState:NSControlStateValueOff];
}

TEST_F(Report, PtBrAnnualFigureMatchesTheCommaNumberShown) {
    EXPECT_EQ(utf8([txts[11] stringValue]), "8,32");
    std::string report = press();
    EXPECT_NE(report.find("COMP ANUAL: 99.840000\n"), std::string::npos) << report;
    atualiza_texto(11, "1.234,50");
    EXPECT_NE(press().find("COMP ANUAL: 14814.000000\n"), std::string::npos);
}

TEST_F(Report, EnUsAnnualFigureIgnoresGrouping) {
    atualiza_texto(11, "1,234.50");
    EXPECT_EQ(utf8([txts[11] stringValue]), "1,234.50");
    std::string report = press();
    EXPECT_NE(report.find("COMPENSAR: 1234.50\n"), std::string::npos) << report;
    EXPECT_NE(report.find("COMP ANUAL: 14814.000000\n"), std::string::npos) << report;
}

TEST_F(Report, UnparsableInputStillGivesAReport) {
    atualiza_texto(11, "muito");
    std::string report = press();
    EXPECT_NE(report.find("COMPENSAR: muito\n"), std::string::npos) << report;
    EXPECT_NE(report.find("COMP ANUAL: n/a"), std::string::npos) << report;
}

}  // namespace
