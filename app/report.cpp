#include "report.h"

#include <climits>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

std::string comp_anual(const std::string& compensar) {
    try {
        // std::stod honours LC_NUMERIC, so a comma locale reads "8,32".
        return std::to_string(std::stod(compensar) * 12.0);
    } catch (const std::invalid_argument&) {
        return SEM_NUMERO;
    } catch (const std::out_of_range&) {
        return SEM_NUMERO;
    }
}

std::string monta_relatorio(int numero, const std::tm& quando, const Entradas& entradas) {
    std::ostringstream out;
    out.imbue(std::locale::classic());  // no digit grouping in the counter
    out << "Results " << numero << "   based [" << std::put_time(&quando, "%Y/%m/%d - %H:%M:%S") << "]\n\n";
    if (entradas.adultas)
        out << " \U0001F333 Adult trees $+10%\nb";
    else
        out << " \U0001F331 Young trees  -30%CO\u2082\n";
    out << "EMIS TOT: " << entradas.emissao << "\n";
    out << "COMPENSAR: " << entradas.compensar << "\n";
    out << "CUSTO: " << entradas.custo << "\n\n----------\n";
    out << "COMP ANUAL: " << comp_anual(entradas.compensar) << "\n";
    return out.str();
}

int proximo_numero(int contador) { return contador >= INT_MAX || contador < 0 ? 1 : contador + 1; }
