// Prints the report the core writes for the given press, so that tests
// driving a program from outside compare against the core's own text
// instead of a copy of its format. Numbers follow the caller's locale.
//   report-text NUMBER "YYYY/MM/DD - HH:MM:SS" EMISSION MONTHLY COST young|adult
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "report.h"
#include "report_stamp.h"

int main(int argc, char** argv) {
    std::tm when{};
    if (argc != 7 || (std::strcmp(argv[6], "young") != 0 && std::strcmp(argv[6], "adult") != 0) ||
        !read_stamp("[" + std::string(argv[2]) + "]", when)) {
        std::fputs("usage: report-text NUMBER \"YYYY/MM/DD - HH:MM:SS\" EMISSION MONTHLY COST young|adult\n", stderr);
        return 2;
    }
    std::setlocale(LC_ALL, "");
    const std::string report =
        build_report(std::atoi(argv[1]), when, {argv[3], argv[4], argv[5], std::strcmp(argv[6], "adult") == 0});
    std::fwrite(report.data(), 1, report.size(), stdout);
    return 0;
}
