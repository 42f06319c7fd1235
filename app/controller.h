// Turns each press of the window's button into a report in output area 500.
#pragma once

#include <string>

class Controller {
public:
    Controller();

    // Called by the engine on every press, with the pressed button's label
    // (not used: every press gives the same kind of report).
    void aoClicarNoBotao(std::string label);

    int contador;  // presses handled so far, shown as the report number
};
