#include "controller.h"

#include <ctime>

#include "facade.h"
#include "report.h"

Controller::Controller() : contador(0) {}

void Controller::aoClicarNoBotao(std::string /*label*/) {
    contador = next_count(contador);

    ReportInputs inputs;
    inputs.emission = pega_input(10);
    inputs.monthly = pega_input(11);
    inputs.cost = pega_input(12);
    inputs.adultTrees = verifica_checkbox(20);

    std::time_t now = std::time(nullptr);
    std::tm when{};
    if (const std::tm* local = std::localtime(&now)) when = *local;

    atualiza_texto(500, build_report(contador, when, inputs));
}
