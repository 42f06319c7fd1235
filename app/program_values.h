// The few layout values that differ between the programs, chosen when the
// core is compiled (CALC_ENGINE_GTK, CALC_ENGINE_WIN32, CALC_ENGINE_COCOA or
// CALC_ENGINE_WEB).
#pragma once

#include "sistema.h"

struct ProgramValues {
    Sistema native;  // what SISTEMA_NATIVO stands for
    int windowWidth;
    int panelX;      // x of the translucent panel
    int panelWidth;  // width of the translucent panel
    int columnX;     // x of "% Mensal Compensar:" and input 11
};

#if defined(CALC_ENGINE_GTK)
inline constexpr ProgramValues PROGRAM{SISTEMA_LINUX, 495, 280, 230, 290};
#elif defined(CALC_ENGINE_WIN32)
inline constexpr ProgramValues PROGRAM{SISTEMA_WINDOWS, 470, 250, 190, 260};
#elif defined(CALC_ENGINE_COCOA)
inline constexpr ProgramValues PROGRAM{SISTEMA_MACOS, 470, 250, 190, 260};
#elif defined(CALC_ENGINE_WEB)
// CSS pixels from the page's top-left corner, with calc-gtk's fonts and so
// its widths; a browser has no system of its own, so the top-left one.
inline constexpr ProgramValues PROGRAM{SISTEMA_LINUX, 495, 280, 230, 290};
#else
#error "define CALC_ENGINE_GTK, CALC_ENGINE_WIN32, CALC_ENGINE_COCOA or CALC_ENGINE_WEB"
#endif
