// Prints the report the core writes for the given press, so that tests
// driving a program from outside compare against the core's own text
// instead of a copy of its format. Numbers follow the caller's locale. The
// time is a report's stamp, or @SECONDS: that Unix time in the local time
// zone (TZ), for a driver that knows when it pressed but not the stamp's form.
//   report-text NUMBER "YYYY/MM/DD - HH:MM:SS"|@SECONDS EMISSION MONTHLY COST young|adult
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "report.h"
#include "report_stamp.h"

namespace {

bool read_time(const char* text, std::tm& when) {
    if (text[0] != '@') return read_stamp("[" + std::string(text) + "]", when);
    char* end = nullptr;
    const std::time_t seconds = std::strtoll(text + 1, &end, 10);
    const std::tm* local = end != text + 1 && *end == '\0' ? std::localtime(&seconds) : nullptr;
    if (local) when = *local;
    return local != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    std::tm when{};
    if (argc != 7 || (std::strcmp(argv[6], "young") != 0 && std::strcmp(argv[6], "adult") != 0) ||
        !read_time(argv[2], when)) {
        std::fputs("usage: report-text NUMBER \"YYYY/MM/DD - HH:MM:SS\"|@SECONDS EMISSION MONTHLY COST young|adult\n",
                   stderr);
        return 2;
    }
    std::setlocale(LC_ALL, "");
    const std::string report =
        build_report(std::atoi(argv[1]), when, {argv[3], argv[4], argv[5], std::strcmp(argv[6], "adult") == 0});
    std::fwrite(report.data(), 1, report.size(), stdout);
    return 0;
}
