#include "controller.h"
#include "geopos.h"
#include "view.h"

int main() {
    GeoPos geoPos(620, SISTEMA_NATIVO);
    Controller controller;
    View view(&controller, &geoPos);
    view.renderizar();
    return 0;
}
