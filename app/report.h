// The compensation report: a pure function of what the controller read from
// the window and of the local time of the press, so it can be checked byte
// for byte.
#pragma once

#include <ctime>
#include <string>

struct ReportInputs {
    std::string emission;     // input 10, exactly as read
    std::string monthly;      // input 11, exactly as read
    std::string cost;         // input 12, exactly as read
    bool adultTrees = false;  // checkbox 20
};

// Shown after "COMP ANUAL: " when input 11 does not start with a number
// that fits in a double.
inline constexpr const char* NO_NUMBER = "n/a (monthly % is not a number)";

// The monthly percentage times 12, formatted as "%f" in the current
// LC_NUMERIC locale, or NO_NUMBER.
std::string annual_figure(const std::string& monthly);

std::string build_report(int number, const std::tm& when, const ReportInputs& inputs);

// The press counter after one more press. It never overflows: past the
// largest 32-bit value the numbering starts again at 1.
int next_count(int contador);
