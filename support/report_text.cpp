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

int main(int argc, char** argv) {
    std::tm when{};
    if (argc != 7 || (std::strcmp(argv[6], "young") != 0 && std::strcmp(argv[6], "adult") != 0) ||
        std::sscanf(argv[2], "%d/%d/%d - %d:%d:%d", &when.tm_year, &when.tm_mon, &when.tm_mday, &when.tm_hour,
                    &when.tm_min, &when.tm_sec) != 6) {
        std::fputs("usage: report-text NUMBER \"YYYY/MM/DD - HH:MM:SS\" EMISSION MONTHLY COST young|adult\n", stderr);
        return 2;
    }
    when.tm_year -= 1900;
    when.tm_mon -= 1;
    std::setlocale(LC_ALL, "");
    const std::string report =
        build_report(std::atoi(argv[1]), when, {argv[3], argv[4], argv[5], std::strcmp(argv[6], "adult") == 0});
    std::fwrite(report.data(), 1, report.size(), stdout);
    return 0;
}
