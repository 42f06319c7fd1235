// Baseline for the Win32 start-up benchmark: a bare Win32 window holding the
// same kinds and number of controls as calc-win32's, with a font each, but
// without the application core, the images or the registries.
#include <windows.h>

namespace {

HWND window = nullptr;

LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void control(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int size, bool bold) {
    HWND c = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    HFONT font = CreateFontW(size, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH, L"Segoe UI");
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    SetProcessDPIAware();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = L"BareWindow";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, L"BareWindow", L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 470, 620, nullptr,
                             nullptr, instance, nullptr);

    control(L"STATIC", L"Orvalento", SS_LEFT, 40, 5, 300, 30, 20, true);
    control(L"STATIC", L"Emissão Total (Ton CO₂):", SS_LEFT, 20, 70, 220, 15, 16, false);
    control(L"EDIT", L"365.6", WS_BORDER | ES_AUTOHSCROLL, 20, 90, 100, 25, 16, false);
    control(L"STATIC", L"% Mensal Compensar:", SS_LEFT, 260, 70, 180, 15, 16, false);
    control(L"EDIT", L"8.32", WS_BORDER | ES_AUTOHSCROLL, 260, 90, 80, 25, 16, false);
    control(L"STATIC", L"Custo Arrendamento ($/10.000m²/month):", SS_LEFT, 20, 160, 300, 15, 16, false);
    control(L"EDIT", L"850.22", WS_BORDER | ES_AUTOHSCROLL, 20, 180, 150, 25, 16, false);
    control(L"BUTTON", L"Somente arvores adultas", BS_AUTOCHECKBOX, 220, 185, 200, 20, 16, false);
    control(L"BUTTON", L"Calculates Compensation", BS_PUSHBUTTON, 130, 220, 200, 32, 16, false);
    control(L"STATIC", L"Simulation:", SS_LEFT, 20, 280, 200, 15, 18, true);
    control(L"EDIT", L"", WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, 20, 300, 300, 200, 16,
            false);
    control(L"STATIC", L"Parameters (Adult tree $: +10%) (Young Compensation: -30%)", SS_LEFT, 20, 550, 400, 20, 16,
            false);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
