// The compensation report: a pure function of what the controller read from
// the window and of the local time of the press, so it can be checked byte
// for byte.
#pragma once

#include <ctime>
#include <string>

struct Entradas {
    std::string emissao;    // input 10, exactly as read
    std::string compensar;  // input 11, exactly as read
    std::string custo;      // input 12, exactly as read
    bool adultas = false;   // checkbox 20
};

// Shown after "COMP ANUAL: " when input 11 does not start with a number
// that fits in a double.
inline constexpr const char* SEM_NUMERO = "n/a (monthly % is not a number)";

// The monthly percentage times 12, formatted as "%f" in the current
// LC_NUMERIC locale, or SEM_NUMERO.
std::string comp_anual(const std::string& compensar);

std::string monta_relatorio(int numero, const std::tm& quando, const Entradas& entradas);

// The press counter after one more press. It never overflows: past the
// largest 32-bit value the numbering starts again at 1.
int proximo_numero(int contador);
