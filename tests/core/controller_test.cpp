// One press as the engine delivers it: what the controller reads and writes.
#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <regex>

#include "controller.h"
#include "recording_engine.h"
#include "report.h"

namespace {

std::string report_of(const std::string& call) {
    const std::string head = "atualiza_texto(500, \"";
    EXPECT_EQ(call.rfind(head, 0), 0u) << call;
    return call.substr(head.size(), call.size() - head.size() - 2);
}

TEST(Controller, ReadsTheInputsThenWritesAreaFiveHundred) {
    recorder::reset();
    recorder::inputs = {{10, "365.6"}, {11, "8.32"}, {12, "850.22"}};
    Controller controller;
    EXPECT_EQ(controller.contador, 0);
    controller.aoClicarNoBotao("Calculates Compensation");

    ASSERT_EQ(recorder::calls.size(), 5u);
    EXPECT_EQ(recorder::calls[0], "pega_input(10)");
    EXPECT_EQ(recorder::calls[1], "pega_input(11)");
    EXPECT_EQ(recorder::calls[2], "pega_input(12)");
    EXPECT_EQ(recorder::calls[3], "verifica_checkbox(20)");
    EXPECT_EQ(report_of(recorder::calls[4]).substr(0, 18), "Results 1   based ");
}

TEST(Controller, StampsTheLocalTimeOfThePressAndCountsEveryPress) {
    recorder::reset();
    recorder::inputs = {{10, "1"}, {11, "2"}, {12, "3"}};
    recorder::checkboxes = {{20, true}};
    Controller controller;

    std::time_t before = std::time(nullptr);
    controller.aoClicarNoBotao("x");
    controller.aoClicarNoBotao("");
    std::time_t after = std::time(nullptr);

    std::string first = report_of(recorder::calls[4]);
    std::string second = report_of(recorder::calls[9]);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(second, m, std::regex(R"(^Results 2   based \[(\d{4})/(\d\d)/(\d\d) - (\d\d):(\d\d):(\d\d)\]\n)")))
        << second;
    std::tm stamp{};
    stamp.tm_year = std::stoi(m[1]) - 1900;
    stamp.tm_mon = std::stoi(m[2]) - 1;
    stamp.tm_mday = std::stoi(m[3]);
    stamp.tm_hour = std::stoi(m[4]);
    stamp.tm_min = std::stoi(m[5]);
    stamp.tm_sec = std::stoi(m[6]);
    stamp.tm_isdst = -1;
    std::time_t pressed = std::mktime(&stamp);
    EXPECT_GE(pressed, before);
    EXPECT_LE(pressed, after);

    EXPECT_EQ(first.rfind("Results 1   based [", 0), 0u);
    EXPECT_NE(second.find("\nbEMIS TOT: 1\nCOMPENSAR: 2\nCUSTO: 3\n"), std::string::npos);
    EXPECT_EQ(controller.contador, 2);
}

// The one home of this rule for the controller; the report's text for it
// is report_test's.
TEST(Controller, ANoNumberPressStillCountsAndWritesItsReport) {
    recorder::reset();
    recorder::inputs = {{10, "365.6"}, {11, "abc"}, {12, ""}};
    Controller controller;
    controller.aoClicarNoBotao("Calculates Compensation");
    EXPECT_EQ(controller.contador, 1);
    ASSERT_EQ(recorder::calls.size(), 5u);
    // Below its heading (number and time), the core's report of these inputs.
    const std::string report = report_of(recorder::calls.back());
    const std::string core = build_report(1, std::tm{}, {"365.6", "abc", "", false});
    EXPECT_EQ(report.substr(report.find('\n')), core.substr(core.find('\n')));
}

TEST(Controller, CounterStartsAgainAtOneAfterTheLargestValue) {
    recorder::reset();
    Controller controller;
    controller.contador = INT_MAX - 1;
    controller.aoClicarNoBotao("");
    EXPECT_EQ(controller.contador, INT_MAX);
    EXPECT_EQ(report_of(recorder::calls.back()).rfind("Results 2147483647 ", 0), 0u);
    controller.aoClicarNoBotao("");
    EXPECT_EQ(controller.contador, 1);
    EXPECT_EQ(report_of(recorder::calls.back()).rfind("Results 1 ", 0), 0u);
}

}  // namespace
