#include "report.h"

#include <climits>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

std::string annual_figure(const std::string& monthly) {
    try {
        // std::stod honours LC_NUMERIC, so a comma locale reads "8,32".
        return std::to_string(std::stod(monthly) * 12.0);
    } catch (const std::invalid_argument&) {
        return NO_NUMBER;
    } catch (const std::out_of_range&) {
        return NO_NUMBER;
    }
}

std::string build_report(int number, const std::tm& when, const ReportInputs& inputs) {
    std::ostringstream out;
    out.imbue(std::locale::classic());  // no digit grouping in the counter
    out << "Results " << number << "   based [" << std::put_time(&when, "%Y/%m/%d - %H:%M:%S") << "]\n\n";
    if (inputs.adultTrees)
        out << " \U0001F333 Adult trees $+10%\nb";
    else
        out << " \U0001F331 Young trees  -30%CO\u2082\n";
    out << "EMIS TOT: " << inputs.emission << "\n";
    out << "COMPENSAR: " << inputs.monthly << "\n";
    out << "CUSTO: " << inputs.cost << "\n\n----------\n";
    out << "COMP ANUAL: " << annual_figure(inputs.monthly) << "\n";
    return out.str();
}

int next_count(int contador) { return contador >= INT_MAX || contador < 0 ? 1 : contador + 1; }
