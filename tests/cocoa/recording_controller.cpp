// Stands in for the core's Controller in the engine tests: it records which
// controller each click reached and with which label.
#include "recording_controller.h"

std::vector<Click> clicks;

Controller::Controller() : contador(0) {}

void Controller::aoClicarNoBotao(std::string label) {
    ++contador;
    clicks.push_back(Click{this, label});
}
