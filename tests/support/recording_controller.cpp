#include "recording_controller.h"

std::vector<Click> clicks;

Controller::Controller() : contador(0) {}

void Controller::aoClicarNoBotao(std::string label) {
    ++contador;
    clicks.push_back({this, label});
}
