#pragma once

#include <string>
#include <vector>

#include "controller.h"

struct Press {
    Controller* controller;
    std::string label;
};

// Every press since the process started, oldest first.
std::vector<Press>& presses();
