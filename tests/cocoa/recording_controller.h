#pragma once

#include <string>
#include <vector>

#include "controller.h"

struct Click {
    Controller* controller;
    std::string label;
};

extern std::vector<Click> clicks;
