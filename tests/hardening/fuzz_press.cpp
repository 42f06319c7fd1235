// libFuzzer target: arbitrary texts in inputs 10, 11 and 12, an arbitrary
// checkbox state, press counter and locale (C, or a decimal comma with digit
// grouping), through the controller's press path (the recording engine
// serves pega_input), then the report's invariants.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <clocale>
#include <cstring>
#include <ctime>
#include <locale>
#include <string>

#include "controller.h"
#include "recording_engine.h"
#include "report.h"
#include "report_stamp.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& report) {
    std::fprintf(stderr, "fuzz_press: %s\n--- report (%zu bytes) ---\n%s\n---\n", what, report.size(), report.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int previous = in.ConsumeIntegral<int>();
    const bool adultTrees = in.ConsumeBool();
    // A user with a decimal comma and digit grouping, both for C (the
    // annual figure) and for C++ streams (the report's counter), or C.
    static const bool have_comma_locale = std::setlocale(LC_ALL, "pt_BR.UTF-8") != nullptr;
    const bool comma = have_comma_locale && in.ConsumeBool();
    std::setlocale(LC_ALL, comma ? "pt_BR.UTF-8" : "C");
    std::locale::global(comma ? std::locale("pt_BR.UTF-8") : std::locale::classic());
    const std::string emission = in.ConsumeRandomLengthString();
    const std::string monthly = in.ConsumeRandomLengthString();
    const std::string cost = in.ConsumeRemainingBytesAsString();

    recorder::reset();
    recorder::inputs = {{10, emission}, {11, monthly}, {12, cost}};
    recorder::checkboxes = {{20, adultTrees}};
    Controller controller;
    controller.contador = previous;
    controller.aoClicarNoBotao("Calculates Compensation");

    if (recorder::calls.size() != 5) fail("the press did not make exactly five facade calls", "");
    const std::string head = "atualiza_texto(500, \"";
    const std::string& call = recorder::calls[4];
    if (call.compare(0, head.size(), head) != 0 || call.size() < head.size() + 2) fail("no report for area 500", call);
    const std::string report = call.substr(head.size(), call.size() - head.size() - 2);

    const int number = controller.contador;
    if (number < 1) fail("the report number is not positive", report);
    if (number != (previous >= 1 && previous < INT_MAX ? previous + 1 : 1)) fail("wrong report number", report);

    // The report is the core's for exactly these inputs, number and time.
    std::tm when{};
    if (!read_stamp(report, when)) fail("bad time stamp", report);  // then it fails the comparison
    if (report != build_report(number, when, {emission, monthly, cost, adultTrees})) fail("not the core's report", report);
    return 0;
}
