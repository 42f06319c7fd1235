// calc-win32's own core and engine: the View builds the whole window, every
// control at its place with its font, both images stored, a press writing
// the report, and everything released when the window closes. The checks
// run from a timer inside the View's own message loop.
#include <gtest/gtest.h>

#include <map>

#include "geopos.h"
#include "controller.h"
#include "facade.h"
#include "view.h"
#include "win32_engine.h"

namespace {

struct Expected {
    const wchar_t* cls;
    int x, y, width, height;
    const wchar_t* face;
    int fontHeight, weight;
};

// Controls by their text, as the View makes them in calc-win32.
const std::map<std::wstring, Expected> BY_TEXT = {
    {L"Orvalento", {L"Static", 40, 5, 440, 32, L"Segoe UI", 20, FW_BOLD}},
    {L"Emiss\u00E3o Total (Ton CO\u2082):", {L"Static", 20, 70, 440, 28, L"Segoe UI", 16, FW_NORMAL}},
    {L"365.6", {L"Edit", 20, 90, 100, 24, L"Segoe UI", 14, FW_NORMAL}},
    {L"% Mensal Compensar:", {L"Static", 260, 70, 440, 28, L"Segoe UI", 16, FW_NORMAL}},
    {L"8.32", {L"Edit", 260, 90, 80, 24, L"Segoe UI", 14, FW_NORMAL}},
    {L"Custo Arrendamento ($/10.000m\u00B2/month):", {L"Static", 20, 160, 440, 28, L"Segoe UI", 16, FW_NORMAL}},
    {L"850.22", {L"Edit", 20, 180, 150, 24, L"Segoe UI", 14, FW_NORMAL}},
    {L"Somente arvores adultas", {L"Button", 220, 185, 240, 20, L"Segoe UI", 13, FW_NORMAL}},
    {L"Calculates Compensation", {L"Button", 130, 220, 200, 32, L"Segoe UI", 14, FW_BOLD}},
    {L"Simulation:", {L"Static", 20, 280, 440, 30, L"Segoe UI", 18, FW_BOLD}},
    {L"", {L"Edit", 20, 300, 300, 200, L"Segoe UI Emoji", 14, FW_NORMAL}},
    {L"Parameters (Adult tree $: +10%) (Young Compensation: -30%)",
     {L"Static", 20, 550, 400, 25, L"Segoe UI", 14, FW_NORMAL}},
};

std::wstring text_of(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

void check_control(HWND control) {
    std::wstring text = text_of(control);
    auto it = BY_TEXT.find(text);
    ASSERT_NE(it, BY_TEXT.end()) << "unexpected control \"" << testing::PrintToString(text) << '"';
    const Expected& e = it->second;
    SCOPED_TRACE(testing::PrintToString(text));

    wchar_t cls[32] = {};
    GetClassNameW(control, cls, 32);
    EXPECT_EQ(_wcsicmp(cls, e.cls), 0);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, g_hMain, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, e.x);
    EXPECT_EQ(r.top, e.y);
    EXPECT_EQ(r.right - r.left, e.width);
    EXPECT_EQ(r.bottom - r.top, e.height);

    LOGFONTW lf = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, e.face);
    EXPECT_EQ(lf.lfHeight, e.fontHeight);
    EXPECT_EQ(lf.lfWeight, e.weight);
}

Controller* g_viewController = nullptr;
bool g_checked = false;

void CALLBACK check_window(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_checked = true;

    int count = 0;
    for (HWND child = GetWindow(g_hMain, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++count)
        check_control(child);
    EXPECT_EQ(count, 12);
    EXPECT_EQ(text_of(g_txts.at(10)), L"365.6");
    EXPECT_EQ(text_of(g_txts.at(11)), L"8.32");
    EXPECT_EQ(text_of(g_txts.at(12)), L"850.22");
    EXPECT_EQ(g_txts.size(), 5u);  // 10, 11, 12, 500, 501
    EXPECT_EQ(g_checks.size(), 1u);

    EXPECT_TRUE(g_pngImage);
    EXPECT_EQ(g_pngRect.left, 250);
    EXPECT_EQ(g_pngRect.top, 50);
    EXPECT_EQ(g_pngRect.right, 440);
    EXPECT_EQ(g_pngRect.bottom, 130);
    EXPECT_FALSE(g_svgXml.empty());
    EXPECT_EQ(g_svgRect.left, 345);
    EXPECT_EQ(g_svgRect.top, 350);
    EXPECT_EQ(g_svgRect.right, 445);
    EXPECT_EQ(g_svgRect.bottom, 450);

    SendMessageW(FindWindowExW(g_hMain, nullptr, L"Button", L"Calculates Compensation"), BM_CLICK, 0, 0);
    EXPECT_EQ(g_viewController->contador, 1);
    EXPECT_EQ(pega_input(500).rfind("Results 1 ", 0), 0u) << pega_input(500);

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
