#include "controller.h"
#include "geopos.h"
#include "view.h"

#if defined(CALC_ENGINE_WIN32)
#include <windows.h>
// The Windows program is linked with -municode: its entry point is wWinMain.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
#elif defined(CALC_ENGINE_GTK) || defined(CALC_ENGINE_COCOA) || defined(CALC_ENGINE_WEB)
// calc-web's main never returns: the page keeps it alive (executa_app).
int main()
#else
#error "define CALC_ENGINE_GTK, CALC_ENGINE_WIN32, CALC_ENGINE_COCOA or CALC_ENGINE_WEB"
#endif
{
    GeoPos geoPos(620, SISTEMA_NATIVO);
    Controller controller;
    View view(&controller, &geoPos);
    view.renderizar();
    return 0;
}
