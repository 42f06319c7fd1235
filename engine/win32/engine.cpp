// The widget facade on Win32: one top-level window, native child controls at
// absolute pixel positions, two id -> control registries, button clicks
// routed to the Controller by caption, and the message loop.
#include "win32_engine.h"

#include <sstream>

#include "controller.h"
#include "facade.h"

std::map<int, HWND> g_txts;
std::map<int, HWND> g_checks;
HWND g_hMain = nullptr;
HINSTANCE g_hInst = nullptr;
Controller* g_controller = nullptr;

namespace {

const wchar_t CLASS_NAME[] = L"WinAppClass";
const wchar_t WINDOW_TITLE[] = L"Selvorin Windows";

constexpr DWORD MAIN_STYLE = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr DWORD LABEL_STYLE = WS_CHILD | WS_VISIBLE | SS_LEFT;
// What takes the focus is a tab stop; Tab follows creation order, which is
// the window's reading order. Labels stay out of it.
constexpr DWORD OUTPUT_AREA_STYLE =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;
constexpr DWORD INPUT_STYLE = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD CHECKBOX_STYLE = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD BUTTON_STYLE = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
static_assert(MAIN_STYLE == 0x10CF0000 && LABEL_STYLE == 0x50000000 && OUTPUT_AREA_STYLE == 0x50A10844 &&
              INPUT_STYLE == 0x50810080 && CHECKBOX_STYLE == 0x50010003 && BUTTON_STYLE == 0x50010001);

// The push button Enter presses, and the control that gets the focus when
// the window is activated: the first input at first, then whichever control
// had it when the window was last left.
HWND default_button = nullptr;
HWND focus_on_activate = nullptr;
WNDPROC edit_procedure = nullptr;

const HBRUSH FACE_BRUSH = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));

HFONT make_font(const wchar_t* face, int height, bool bold) {
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH, face);
}

// Creates a child control of the main window with its own font. The font is
// never released: it lives as long as the process.
HWND create_control(const wchar_t* cls, const std::string& text, DWORD style, int x, int y, int width, int height,
                    int id, const wchar_t* face, int fontHeight, bool bold) {
    HWND control = CreateWindowExW(0, cls, utf8_to_wide(text).c_str(), style, x, y, width, height, g_hMain,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_hInst, nullptr);
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(make_font(face, fontHeight, bold)), TRUE);
    return control;
}

// A registered control, or null when the id is absent or holds null.
HWND lookup(const std::map<int, HWND>& registry, int id) {
    auto it = registry.find(id);
    return it == registry.end() ? nullptr : it->second;
}

// The read-only report keeps every key but Tab, which moves the focus on
// (a multi-line edit would otherwise take it as text), and Esc: a multi-line
// edit driven by the dialog manager answers Esc by closing its parent.
LRESULT CALLBACK OutputAreaProc(HWND area, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_KEYDOWN || message == WM_CHAR) && wParam == VK_ESCAPE) return 0;
    LRESULT result = CallWindowProcW(edit_procedure, area, message, wParam, lParam);
    if (message == WM_GETDLGCODE && wParam == VK_TAB) result &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    if (message == WM_GETDLGCODE && wParam == VK_ESCAPE) result &= ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
    return result;
}

bool is_edit(HWND control) {
    wchar_t cls[8] = {};
    return control && GetClassNameW(control, cls, 8) && _wcsicmp(cls, L"Edit") == 0;
}

// A click on a push button reaches the controller with the button's caption;
// checkboxes and edit notifications do not.
void route_command(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) return;
    if (!g_controller) return;
    HWND sender = reinterpret_cast<HWND>(lParam);
    if (!sender) return;
    for (const auto& entry : g_checks)
        if (entry.second == sender) return;
    wchar_t caption[256] = {};
    GetWindowTextW(sender, caption, 255);
    g_controller->aoClicarNoBotao(wide_to_utf8(caption));
}

}  // namespace

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        release_images();
        PostQuitMessage(0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, FACE_BRUSH);
        paint_png(dc);
        paint_svg(dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ACTIVATE:
        // Coming back to the window puts the focus where it was, as a dialog
        // does; not while minimised, where no control can take keys.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window, focus)) focus_on_activate = focus;
        } else if (HIWORD(wParam) == 0 && focus_on_activate && IsChild(window, focus_on_activate)) {
            SetFocus(focus_on_activate);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT fills the background
    case WM_COMMAND:
        // Enter in an input: the dialog manager asks for IDOK, as it does
        // of a window with no default id of its own. The button is pressed
        // as a click presses it, but the focus stays where the user types.
        if (wParam == IDOK && lParam == 0) {
            if (default_button) route_command(MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(default_button));
            return 0;
        }
        // Esc: the dialog manager asks for IDCANCEL. Nothing here cancels,
        // and Esc must not cost the user the window and its report.
        if (wParam == IDCANCEL && lParam == 0) return 0;
        route_command(wParam, lParam);
        return 0;
    case WM_CTLCOLOREDIT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, OPAQUE);
        SetTextColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 0));
        // The read-only report scrolls and shows selections: both need its
        // background erased, or old lines and highlights stay on screen. It
        // lies on the plain face, so the face colour looks the same as none.
        if (is_edit(reinterpret_cast<HWND>(lParam))) {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        // Labels draw over the panel without hiding it.
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void cria_janela(int width, int height, int x, int y) {
    SetProcessDPIAware();
    g_hInst = GetModuleHandleW(nullptr);

    WNDCLASSW wc = {};
    wc.style = 0;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = g_hInst;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = FACE_BRUSH;
    wc.lpszClassName = CLASS_NAME;
    RegisterClassW(&wc);  // a second call fails harmlessly: the class exists

    g_hMain = CreateWindowExW(0, CLASS_NAME, WINDOW_TITLE, MAIN_STYLE, x, y, width, height, nullptr, nullptr, g_hInst,
                              nullptr);
    // A new window starts with its own first input and default button.
    focus_on_activate = nullptr;
    default_button = nullptr;
    ensure_gdiplus_started();
}

void escreve_texto(std::string text, int size, int x, int y, bool bold) {
    if (!g_hMain) return;
    create_control(L"STATIC", text, LABEL_STYLE, x, y, 440, size + 12, 0, L"Segoe UI", size, bold);
}

void cria_input(int x, int y, int width, int id, std::string text) {
    if (!g_hMain) return;
    HWND input = create_control(L"EDIT", text, INPUT_STYLE, x, y, width, 24, id, L"Segoe UI", 14, false);
    g_txts[id] = input;
    // The window opens ready to type into its first input, over its value.
    if (input && !focus_on_activate) {
        focus_on_activate = input;
        SendMessageW(input, EM_SETSEL, 0, -1);
        if (GetActiveWindow() == g_hMain) SetFocus(input);
    }
}

void cria_input_numerico(int x, int y, int width, int id, double value) {
    std::ostringstream text;  // default format: up to six significant digits
    text << value;
    cria_input(x, y, width, id, text.str());
}

void cria_checkbox(std::string label, int x, int y, int id) {
    if (!g_hMain) return;
    g_checks[id] = create_control(L"BUTTON", label, CHECKBOX_STYLE, x, y, 240, 20, id, L"Segoe UI", 13, false);
}

void cria_botao(std::string label, int x, int y, int width, Controller* controller) {
    if (!g_hMain) return;
    default_button = create_control(L"BUTTON", label, BUTTON_STYLE, x, y, width, 32, 0, L"Segoe UI", 14, true);
    g_controller = controller;
}

int cria_texto_saida(int x, int y, int width, int height, int id) {
    if (!g_hMain) return id;
    HWND area = create_control(L"EDIT", "", OUTPUT_AREA_STYLE, x, y, width, height, id, L"Segoe UI Emoji", 14, false);
    if (area) {
        WNDPROC previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(area, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OutputAreaProc)));
        if (!edit_procedure) edit_procedure = previous;
    }
    g_txts[id] = area;
    return id;
}

int cria_campo_saida(int x, int y, int width, int id) {
    if (!g_hMain) return id;
    g_txts[id] = create_control(L"STATIC", "---", LABEL_STYLE, x, y, width, 25, id, L"Segoe UI", 14, false);
    return id;
}

void cria_webview(std::string, int, int, int, int) {}

void atualiza_texto(int id, std::string text) {
    HWND control = lookup(g_txts, id);
    if (!control) return;
    // Labels and the one-line output draw their text on a hollow brush:
    // clear the old text first.
    RECT rect;
    GetClientRect(control, &rect);
    if (HDC dc = GetDC(control)) {
        FillRect(dc, &rect, FACE_BRUSH);
        ReleaseDC(control, dc);
    }
    SetWindowTextW(control, utf8_to_wide(normalize_crlf(text)).c_str());
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

std::string pega_input(int id) {
    HWND control = lookup(g_txts, id);
    if (!control) return std::string();
    wchar_t buffer[1024] = {};
    GetWindowTextW(control, buffer, 1023);
    return wide_to_utf8(buffer);
}

bool verifica_checkbox(int id) {
    HWND control = lookup(g_checks, id);
    if (!control) return false;
    return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string plataforma() { return "Windows"; }

void executa_app() {
    // Without a main window nothing could ever end the loop.
    if (!g_hMain) return;
    MSG msg = {};
    // GetMessageW gives -1 on failure; looping on it would spin for ever.
    // The dialog manager gives the window Tab, Shift+Tab and Enter.
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(g_hMain, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
