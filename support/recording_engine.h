// An engine that implements the widget facade in memory: it records every
// call as text and serves pega_input and verifica_checkbox from maps.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

class Controller;

namespace recorder {

extern std::vector<std::string> calls;     // e.g. escreve_texto("Simulation:", 18, 20, 280, bold)
extern std::map<int, std::string> inputs;  // what pega_input returns; "" when absent
extern std::map<int, bool> checkboxes;     // what verifica_checkbox returns
extern Controller* button_controller;      // the controller of the last cria_botao
extern std::function<void()> event_loop;   // run inside executa_app

void reset();

}  // namespace recorder
