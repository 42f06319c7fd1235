// The Controller of the engine tests: instead of building reports it records
// which controller each click reached and with which label. Test programs
// link it in place of the core, which only the programs themselves link.
#pragma once

#include <string>
#include <vector>

#include "controller.h"

struct Click {
    Controller* controller;
    std::string label;
};

// Every click since the process started (or the test last cleared it), oldest first.
extern std::vector<Click> clicks;
