// End to end: starts calc-win32.exe, drives its window from outside the
// process as a user would (a mouse click, then inputs set or typed and the
// button pressed), checks each report against the core's, optionally saves a
// screenshot, then closes the window and expects exit code 0. With --logo
// (real Windows only) the SVG logo must be on screen at its place.
//   drive_calc_win32 <calc-win32.exe> [screenshot.png] [--logo]
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "report.h"
#include "report_stamp.h"
#include "win32_engine.h"

namespace {

int failures = 0;

void check(bool ok, const std::wstring& what) {
    if (!ok) {
        ++failures;
        fwprintf(stderr, L"FAILED: %ls\n", what.c_str());
    }
}

void check_eq(const std::wstring& actual, const std::wstring& expected, const wchar_t* what) {
    check(actual == expected, std::wstring(what) + L": expected \"" + expected + L"\", got \"" + actual + L"\"");
}

std::wstring text_of(HWND window) {
    wchar_t buffer[4096] = {};
    SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

void set_text(HWND window, const std::wstring& text) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Select everything in the edit and type over it, key by key.
void type_text(HWND edit, const std::wstring& text) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

HWND find_main_window(DWORD pid) {
    for (int i = 0; i < 300; ++i) {  // up to 30 s
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, L"WinAppClass", L"Selvorin Windows"))) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == pid) return window;
        }
        Sleep(100);
    }
    return nullptr;
}

HWND find_button(HWND main, const std::wstring& caption) {
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        if (_wcsicmp(cls, L"Button") == 0 && text_of(child) == caption) return child;
    }
    return nullptr;
}

// A real mouse click at the centre of the control, through the input queue.
void mouse_click(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    HWND top = GetAncestor(control, GA_ROOT);
    POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    // Input goes wherever focus and pointer are: wait until both are ours.
    for (int i = 0; i < 100 && GetForegroundWindow() != top; ++i) {
        SetForegroundWindow(top);
        Sleep(50);
    }
    POINT at = {};
    for (int i = 0; i < 100 && (at.x != centre.x || at.y != centre.y || WindowFromPoint(centre) != control); ++i) {
        SetCursorPos(centre.x, centre.y);
        Sleep(50);
        GetCursorPos(&at);
    }
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

// Waits until `control` shows something other than `before`.
std::wstring changed_text(HWND control, const std::wstring& before) {
    std::wstring now = text_of(control);
    for (int i = 0; i < 100 && now == before; ++i) {
        Sleep(50);
        now = text_of(control);
    }
    return now;
}

// The report shown must be the core's for this press, number and inputs,
// with the engine's line breaks: only its stamp is read from the window.
void check_report(const std::wstring& shown, int number, bool adult, const std::wstring& emission,
                  const std::wstring& monthly, const std::wstring& cost) {
    std::tm when{};
    check(read_stamp(wide_to_utf8(shown), when), L"report " + std::to_wstring(number) + L" has a time stamp: " + shown);
    const std::string core =
        build_report(number, when, {wide_to_utf8(emission), wide_to_utf8(monthly), wide_to_utf8(cost), adult});
    check_eq(shown, utf8_to_wide(normalize_crlf(core)), (L"report " + std::to_wstring(number)).c_str());
}

// A key typed at whatever has the focus, with `held` (Shift) down.
void press_key(BYTE key, BYTE held = 0) {
    if (held) keybd_event(held, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    if (held) keybd_event(held, 0, KEYEVENTF_KEYUP, 0);
}

bool focus_reaches(HWND main, HWND control) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    for (int i = 0; i < 100; ++i, Sleep(50))
        if (GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) && info.hwndFocus == control) return true;
    return false;
}

// The name Active Accessibility gives the control (__uuidof: MinGW-w64's
// IID_IAccessible symbol is not the interface's id).
std::wstring accessible_name(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object))))
        return L"(no accessible object)";
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring result = SUCCEEDED(object->get_accName(self, &name)) && name ? name : L"";
    SysFreeString(name);
    object->Release();
    return result;
}

// The driver reads screen pixels and clicks at screen points: the whole
// window must be on screen and clear of the taskbar (on a 1024 x 768 desktop
// a 620-pixel window at y=200 runs into it). Moves it inside the work area.
bool fit_work_area(HWND window) {
    RECT work, r;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window, &r);
    const LONG width = r.right - r.left, height = r.bottom - r.top;
    if (width > work.right - work.left || height > work.bottom - work.top) return false;
    const LONG x = std::clamp(r.left, work.left, work.right - width), y = std::clamp(r.top, work.top, work.bottom - height);
    if (x == r.left && y == r.top) return true;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    for (int i = 0; i < 100 && GetWindowRect(window, &r) && (r.left != x || r.top != y); ++i) Sleep(50);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return r.left == x && r.top == y;
}

bool save_screenshot(HWND window, const std::wstring& path) {
    RECT r;
    GetWindowRect(window, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);

    bool saved = false;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) {
        {
            Gdiplus::Bitmap image(bitmap, nullptr);
            const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
            saved = image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
        }
        Gdiplus::GdiplusShutdown(token);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

// The logo (a grey-blue rounded square in its 100 x 100 rectangle at 345, 350
// of the client area) as the screen shows it: mostly logo inside, nothing
// drawn in the empty band below it.
void check_logo(HWND window) {
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const int width = 100, height = 180;  // the rectangle and 80 pixels below
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x + 345, origin.y + 350, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(width * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    auto close_to = [](DWORD pixel, int r, int g, int b) {  // pixel is 0x00RRGGBB
        return abs(int(pixel >> 16 & 0xff) - r) + abs(int(pixel >> 8 & 0xff) - g) + abs(int(pixel & 0xff) - b) < 24;
    };
    int logo = 0, background_below = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            DWORD p = pixels[y * width + x];
            if (y < 100 && close_to(p, 0x8f, 0xa1, 0xa6)) ++logo;
            if (y >= 100 && close_to(p, GetRValue(face), GetGValue(face), GetBValue(face))) ++background_below;
        }
    check(logo >= 100 * 100 / 3, L"the logo's colour covers a third of its rectangle: " + std::to_wstring(logo) + L" px");
    check(background_below >= 80 * 100 * 98 / 100,
          L"nothing drawn below the logo: " + std::to_wstring(background_below) + L" of 8000 px are background");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    bool logo = argc > 2 && std::wstring(argv[argc - 1]) == L"--logo";
    if (logo) --argc;
    if (argc < 2) {
        fwprintf(stderr, L"usage: drive_calc_win32 <calc-win32.exe> [screenshot.png] [--logo]\n");
        return 2;
    }
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        fwprintf(stderr, L"cannot start %ls (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    HWND main = find_main_window(pi.dwProcessId);
    check(main != nullptr, L"the window \"Selvorin Windows\" of class WinAppClass appears");
    // The window shows at once; it is complete once field 501 has its line.
    HWND parameters = nullptr;
    for (int i = 0; main && i < 100; ++i) {
        parameters = GetDlgItem(main, 501);
        if (parameters && text_of(parameters) != L"---") break;
        Sleep(100);
    }
    HWND button = main ? find_button(main, L"Calculates Compensation") : nullptr;
    check(button != nullptr, L"the button \"Calculates Compensation\"");
    HWND emission = main ? GetDlgItem(main, 10) : nullptr;
    HWND percent = main ? GetDlgItem(main, 11) : nullptr;
    HWND cost = main ? GetDlgItem(main, 12) : nullptr;
    HWND adult = main ? GetDlgItem(main, 20) : nullptr;
    HWND output = main ? GetDlgItem(main, 500) : nullptr;
    check(emission && percent && cost && adult && output && parameters, L"controls 10, 11, 12, 20, 500, 501");
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (failures == 0) check(fit_work_area(main), L"the window fits inside the desktop's work area");

    if (failures == 0) {
        check_eq(text_of(parameters), L"Parameters (Adult tree $: +10%) (Young Compensation: -30%)", L"field 501");
        check_eq(text_of(emission), L"365.6", L"input 10 at start");
        check_eq(text_of(percent), L"8.32", L"input 11 at start");
        check_eq(text_of(cost), L"850.22", L"input 12 at start");
        check_eq(text_of(output), L"", L"area 500 before the first press");
        // Named by the label created just before each, as screen readers read them.
        check_eq(accessible_name(emission), L"Emiss\u00E3o Total (Ton CO\u2082):", L"name of input 10");
        check_eq(accessible_name(percent), L"% Mensal Compensar:", L"name of input 11");
        check_eq(accessible_name(cost), L"Custo Arrendamento ($/10.000m\u00B2/month):", L"name of input 12");
        check_eq(accessible_name(output), L"Simulation:", L"name of area 500");

        // Input 10 has the focus from the start. Tab from there walks the rest
        // in reading order; Shift+Tab goes back. Esc, in an input or in the
        // report, leaves the window open.
        check(focus_reaches(main, emission), L"input 10 has the focus at start");
        press_key(VK_ESCAPE);
        mouse_click(emission);
        for (HWND next : {percent, cost, adult, button, output}) {
            press_key(VK_TAB);
            check(focus_reaches(main, next), L"Tab focuses control " + std::to_wstring(GetDlgCtrlID(next)));
        }
        press_key(VK_ESCAPE);
        check(WaitForSingleObject(pi.hProcess, 500) == WAIT_TIMEOUT, L"still running after Esc in input 10 and the report");
        press_key(VK_TAB, VK_SHIFT);
        check(focus_reaches(main, button), L"Shift+Tab from the output area focuses the button");

        mouse_click(button);
        if (logo) check_logo(main);
        check_report(changed_text(output, L""), 1, false, L"365.6", L"8.32", L"850.22");
        if (argc > 2) {
            Sleep(300);  // let the frame and the controls finish painting
            check(save_screenshot(main, argv[2]), std::wstring(L"screenshot saved to ") + argv[2]);
        }

        set_text(emission, L"1000");
        set_text(percent, L"2.5");
        set_text(cost, L"75.5");
        SendMessageW(button, BM_CLICK, 0, 0);
        check_report(text_of(output), 2, false, L"1000", L"2.5", L"75.5");

        // Adult trees, and text that is no number: the program carries on.
        SendMessageW(adult, BM_CLICK, 0, 0);
        type_text(percent, L"abc");
        SendMessageW(button, BM_CLICK, 0, 0);
        check_report(text_of(output), 3, true, L"1000", L"abc", L"75.5");
        check(WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT, L"still running after a non-number");

        type_text(percent, L"  8.32abc");
        SendMessageW(button, BM_CLICK, 0, 0);
        check_report(text_of(output), 4, true, L"1000", L"  8.32abc", L"75.5");

        // Enter in an input presses the button, once, and the next digit
        // typed still goes into that input.
        mouse_click(percent);
        set_text(percent, L"7");
        press_key(VK_RETURN);
        check_report(changed_text(output, text_of(output)), 5, true, L"1000", L"7", L"75.5");
        check(focus_reaches(main, percent), L"input 11 keeps the focus after Enter");
        press_key(VK_END);
        press_key('5');
        check_eq(changed_text(percent, L"7"), L"75", L"input 11 after Enter and a digit");
        SendMessageW(button, BM_CLICK, 0, 0);
        check_report(text_of(output), 6, true, L"1000", L"75", L"75.5");
    }

    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD waited = WaitForSingleObject(pi.hProcess, 15000);
    check(waited == WAIT_OBJECT_0, L"the program ends after its window is closed");
    if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    check(code == 0, L"exit code 0, got " + std::to_wstring(code));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    if (failures) fwprintf(stderr, L"%d check(s) failed\n", failures);
    else wprintf(L"calc-win32 end to end: all checks passed\n");
    return failures ? 1 : 0;
}
