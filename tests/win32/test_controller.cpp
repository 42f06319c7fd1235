// Stands in for the core's Controller in the engine tests: each press is
// recorded with the controller that received it.
#include "test_controller.h"

std::vector<Press>& presses() {
    static std::vector<Press> all;
    return all;
}

Controller::Controller() : contador(0) {}

void Controller::aoClicarNoBotao(std::string label) {
    ++contador;
    presses().push_back({this, label});
}
