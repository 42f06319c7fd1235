// Converts the View's top-left layout positions into the coordinate
// convention of the platform the program is built for.
#pragma once

#include "sistema.h"

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
