// libFuzzer target: arbitrary texts in inputs 10, 11 and 12, an arbitrary
// checkbox state, press counter and locale (C, or a decimal comma with digit
// grouping), through the controller's press path (the recording engine
// serves pega_input), then the report's invariants.
#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <clocale>
#include <cstring>
#include <locale>
#include <string>

#include "controller.h"
#include "recording_engine.h"
#include "report.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& report) {
    std::fprintf(stderr, "fuzz_press: %s\n--- report (%zu bytes) ---\n%s\n---\n", what, report.size(), report.c_str());
    std::abort();
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// "%Y/%m/%d - %H:%M:%S"
bool is_stamp(const std::string& s) {
    static const char pattern[] = "dddd/dd/dd - dd:dd:dd";
    if (s.size() != sizeof pattern - 1) return false;
    for (size_t i = 0; i < s.size(); ++i)
        if (pattern[i] == 'd' ? !is_digit(s[i]) : s[i] != pattern[i]) return false;
    return true;
}

// What the annual figure must be, worked out with strtod directly.
std::string expected_annual(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE) return NO_NUMBER;
    char buf[512];
    std::snprintf(buf, sizeof buf, "%f", value * 12.0);
    return buf;
}

// Takes `piece` off the front of `rest`, or fails.
void expect(std::string& rest, const std::string& piece, const char* what, const std::string& report) {
    if (rest.compare(0, piece.size(), piece) != 0) fail(what, report);
    rest.erase(0, piece.size());
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

    std::string rest = report;
    expect(rest, "Results " + std::to_string(number) + "   based [", "no \"Results N   based [\" head", report);
    if (!is_stamp(rest.substr(0, 21))) fail("bad time stamp", report);
    rest.erase(0, 21);
    expect(rest, "]\n\n", "no blank line after the stamp", report);
    expect(rest, adultTrees ? " \U0001F333 Adult trees $+10%\nb" : " \U0001F331 Young trees  -30%CO\u2082\n",
           "wrong tree line", report);
    expect(rest, "EMIS TOT: " + emission + "\n", "input 10 not echoed exactly", report);
    expect(rest, "COMPENSAR: " + monthly + "\n", "input 11 not echoed exactly", report);
    expect(rest, "CUSTO: " + cost + "\n\n----------\n", "input 12 not echoed exactly", report);
    expect(rest, "COMP ANUAL: " + expected_annual(monthly) + "\n", "wrong annual figure", report);
    if (!rest.empty()) fail("text after the annual figure", report);
    return 0;
}
