#include "controller.h"
#include "geopos.h"
#include "view.h"

#ifdef _WIN32
#include <windows.h>
// The Windows program is linked with -municode: its entry point is wWinMain.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
#else
int main()
#endif
{
    GeoPos geoPos(620, SISTEMA_NATIVO);
    Controller controller;
    View view(&controller, &geoPos);
    view.renderizar();
    return 0;
}
