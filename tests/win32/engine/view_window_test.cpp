// calc-win32's own core and engine together: the View builds the whole
// window (every control, each keeping its font, both images stored), a press
// on the real button writes the report, and everything is released when the
// window closes. The checks run from a timer inside the View's own message
// loop.
#include <gtest/gtest.h>

#include <ctime>

#include "geopos.h"
#include "controller.h"
#include "facade.h"
#include "report.h"
#include "report_stamp.h"
#include "view.h"
#include "win32_engine.h"

namespace {

// Each control with a font that is still alive: one control's font must not
// go when the next control is made. Places, classes and fonts are the View's
// calls (tests/core/view_test.cpp) and the engine's rules (engine_test.cpp).
void expect_live_font(HWND control) {
    LOGFONTW lf = {};
    EXPECT_EQ(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf),
              static_cast<int>(sizeof lf))
        << GetDlgCtrlID(control);
}

Controller* g_viewController = nullptr;
bool g_checked = false;

void CALLBACK check_window(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_checked = true;

    int count = 0;
    for (HWND child = GetWindow(g_hMain, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++count)
        expect_live_font(child);
    EXPECT_EQ(count, 12);
    EXPECT_EQ(g_txts.size(), 5u);  // 10, 11, 12, 500, 501
    EXPECT_EQ(g_checks.size(), 1u);
    EXPECT_TRUE(g_pngImage);
    EXPECT_FALSE(g_svgXml.empty());

    // The real button reaches the View's controller, whose report for what
    // the window holds lands in area 500.
    SendMessageW(FindWindowExW(g_hMain, nullptr, L"Button", L"Calculates Compensation"), BM_CLICK, 0, 0);
    EXPECT_EQ(g_viewController->contador, 1);
    std::tm when{};
    EXPECT_TRUE(read_stamp(pega_input(500), when)) << pega_input(500);
    EXPECT_EQ(pega_input(500), normalize_crlf(build_report(1, when, {pega_input(10), pega_input(11), pega_input(12),
                                                                     verifica_checkbox(20)})));

    PostMessageW(g_hMain, WM_CLOSE, 0, 0);
}

TEST(ViewWindow, BuildsTheWholeWindowAndReleasesItOnClose) {
    GeoPos geoPos(620, SISTEMA_NATIVO);
    Controller controller;
    g_viewController = &controller;
    View view(&controller, &geoPos);
    // A thread timer: its first tick comes from inside the View's loop.
    SetTimer(nullptr, 0, 50, check_window);
    view.renderizar();

    EXPECT_TRUE(g_checked);
    EXPECT_FALSE(IsWindow(g_hMain));
    EXPECT_FALSE(g_pngImage);
    EXPECT_TRUE(g_svgXml.empty());
    EXPECT_FALSE(g_gdiplusStarted);
}

}  // namespace
