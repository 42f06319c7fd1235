#include "controller.h"

#include <ctime>

#include "facade.h"
#include "report.h"

Controller::Controller() : contador(0) {}

void Controller::aoClicarNoBotao(std::string /*label*/) {
    contador = proximo_numero(contador);

    Entradas entradas;
    entradas.emissao = pega_input(10);
    entradas.compensar = pega_input(11);
    entradas.custo = pega_input(12);
    entradas.adultas = verifica_checkbox(20);

    std::time_t agora = std::time(nullptr);
    std::tm quando{};
    if (const std::tm* local = std::localtime(&agora)) quando = *local;

    atualiza_texto(500, monta_relatorio(contador, quando, entradas));
}
