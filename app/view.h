// The one window: every widget at its fixed place, then the event loop.
#pragma once

class Controller;
class GeoPos;

class View {
public:
    View(Controller* controller, GeoPos* geoPos);

    // Builds the window and runs the event loop; returns when it ends.
    void renderizar();

    Controller* controller;
    GeoPos* geoPos;
};
