// Converts the View's top-left layout positions into the coordinate
// convention of the platform the program is built for.
#pragma once

#include <cstdint>

enum Sistema : std::int32_t {
    SISTEMA_MACOS = 0,    // bottom-left origin: positions are flipped
    SISTEMA_WINDOWS = 1,  // top-left origin
    SISTEMA_LINUX = 2,    // top-left origin
    SISTEMA_NATIVO = 3,   // replaced by this program's own convention
};

class GeoPos {
public:
    GeoPos(int altura, Sistema sistema);

    int x(int x);
    // `y` is the widget's top edge below the top of the window; with a
    // bottom-left origin the result is its bottom edge above the bottom.
    int y(int y, int height);

    Sistema sistema;
    int altura;
};
