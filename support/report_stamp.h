// The time a report was stamped with, read back from its "[YYYY/MM/DD -
// HH:MM:SS]", so that a test can ask build_report for the report it expects
// of that press. False when there is no such stamp.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>

inline bool read_stamp(const std::string& report, std::tm& when) {
    const std::size_t open = report.find('[');
    when = std::tm{};
    if (open == std::string::npos ||
        std::sscanf(report.c_str() + open, "[%4d/%2d/%2d - %2d:%2d:%2d]", &when.tm_year, &when.tm_mon, &when.tm_mday,
                    &when.tm_hour, &when.tm_min, &when.tm_sec) != 6)
        return false;
    when.tm_year -= 1900;
    when.tm_mon -= 1;
    when.tm_isdst = -1;
    return true;
}
