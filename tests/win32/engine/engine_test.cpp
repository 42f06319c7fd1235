// The Win32 engine against real controls (Wine in a private Xvfb). Each
// suite runs in its own process: the engine keeps one main window per
// process, and BeforeWindow needs a process that never made one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "controls.h"
#include "facade.h"
#include "images.h"
#include "toolkit.h"
#include "recording_controller.h"
#include "win32_engine.h"

namespace {

const char BLUE_PNG_B64[] =
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR4nGNgYPj/HwADAgH/5ncLrgAAAABJRU5ErkJggg==";

std::set<HWND> children() {
    std::set<HWND> all;
    EnumChildWindows(
        g_hMain,
        [](HWND child, LPARAM out) {
            reinterpret_cast<std::set<HWND>*>(out)->insert(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

// The one child control that `create` adds to the main window.
template <typename F>
HWND made_by(F create) {
    std::set<HWND> before = children();
    create();
    HWND made = nullptr;
    for (HWND child : children())
        if (!before.count(child)) {
            EXPECT_EQ(made, nullptr) << "more than one control made";
            made = child;
        }
    EXPECT_NE(made, nullptr) << "no control made";
    return made;
}

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

DWORD style_of(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)); }

// An edit control takes WS_BORDER off its style when it is created and
// draws the border itself.
void expect_edit_style(HWND edit, DWORD requested) {
    EXPECT_EQ(requested & WS_BORDER, static_cast<DWORD>(WS_BORDER));
    EXPECT_EQ(style_of(edit), requested & ~WS_BORDER);
}

// The control's rectangle in the main window's client coordinates.
RECT placed(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, g_hMain, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void expect_place(HWND control, int x, int y, int width, int height) {
    RECT r = placed(control);
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.top, y);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
}

void expect_font(HWND control, const wchar_t* face, int height, int weight) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW lf = {};
    ASSERT_EQ(GetObjectW(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_STREQ(lf.lfFaceName, face);
    EXPECT_EQ(lf.lfHeight, height);
    EXPECT_EQ(lf.lfWeight, weight);
}

COLORREF pixel(int x, int y) {
    HDC dc = GetDC(g_hMain);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(g_hMain, dc);
    return c;
}

void expect_colour(COLORREF actual, int r, int g, int b, const char* where) {
    EXPECT_NEAR(GetRValue(actual), r, 1) << where;
    EXPECT_NEAR(GetGValue(actual), g, 1) << where;
    EXPECT_NEAR(GetBValue(actual), b, 1) << where;
}

void expect_face(COLORREF actual, const char* where) {
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    expect_colour(actual, GetRValue(face), GetGValue(face), GetBValue(face), where);
}

bool under_wine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Red at alpha 127 over the face colour. paint_png asks for
// CompositingQualityHighQuality, which GDI+ documents as gamma-corrected:
// both colours taken from gamma 2.2 to linear, blended there, and back.
// Wine's GDI+ blends the stored values straight, whatever the quality.
void expect_panel(COLORREF actual, const char* where) {
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    const double alpha = 127 / 255.0;
    auto straight = [=](int over, int under) { return over * alpha + under * (1 - alpha); };
    auto gamma_corrected = [=](int over, int under) {
        auto linear = [](int c) { return std::pow(c / 255.0, 2.2); };
        return 255 * std::pow(linear(over) * alpha + linear(under) * (1 - alpha), 1 / 2.2);
    };
    auto blend = [&](int over, int under) {
        return static_cast<int>(std::lround(under_wine() ? straight(over, under) : gamma_corrected(over, under)));
    };
    expect_colour(actual, blend(255, GetRValue(face)), blend(0, GetGValue(face)), blend(0, GetBValue(face)), where);
}

class WithWindow : public testing::Test {
protected:
    static void SetUpTestSuite() { toolkit::ensure_window(); }
};

// ---------------------------------------------------------------- before

TEST(BeforeWindow, CreatingCallsDoNothing) {
    Controller controller;
    escreve_texto("Orvalento", 20, 40, 5, true);
    cria_input_numerico(20, 90, 100, 10, 365.6);
    cria_input(20, 90, 100, 11, "x");
    cria_checkbox("Somente arvores adultas", 220, 185, 20);
    cria_botao("Calculates Compensation", 130, 220, 200, &controller);
    EXPECT_EQ(cria_texto_saida(20, 300, 300, 200, 500), 500);
    EXPECT_EQ(cria_campo_saida(20, 550, 400, 501), 501);
    show_png_b64(250, 50, 190, 80, PANEL_PNG_B64);
    show_svg_b64(345, 350, 100, 100, LOGO_SVG_B64);
    atualiza_texto(501, "text");

    EXPECT_TRUE(g_txts.empty());
    EXPECT_TRUE(g_checks.empty());
    EXPECT_EQ(g_controller, nullptr);
    EXPECT_FALSE(g_pngImage);
    EXPECT_TRUE(g_svgXml.empty());
    EXPECT_FALSE(g_gdiplusStarted);
    EXPECT_EQ(pega_input(10), "");
    EXPECT_FALSE(verifica_checkbox(20));
    EXPECT_EQ(FindWindowW(L"WinAppClass", nullptr), nullptr);
    EXPECT_EQ(plataforma(), "Windows");
    executa_app();  // no window to wait for: returns at once
}

// ---------------------------------------------------------------- controls

using Controls = WithWindow;

TEST_F(Controls, MainWindow) {
    ASSERT_NE(g_hMain, nullptr);
    EXPECT_EQ(class_of(g_hMain), L"WinAppClass");
    EXPECT_EQ(text_of(g_hMain), L"Selvorin Windows");
    // The window manager adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(style_of(g_hMain) & ~WS_CLIPSIBLINGS, 0x10CF0000u);
    RECT r;
    GetWindowRect(g_hMain, &r);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.right - r.left, 470);  // outer size, frame included
    EXPECT_EQ(r.bottom - r.top, 620);
    EXPECT_TRUE(g_gdiplusStarted);
    EXPECT_NE(g_gdiplusToken, 0u);
}

TEST_F(Controls, LabelsAreStaticTextSizePlusTwelveHigh) {
    HWND heading = made_by([] { escreve_texto("Orvalento", 20, 40, 5, true); });
    EXPECT_EQ(_wcsicmp(class_of(heading).c_str(), L"Static"), 0);
    EXPECT_EQ(style_of(heading), 0x50000000u);
    EXPECT_EQ(text_of(heading), L"Orvalento");
    expect_place(heading, 40, 5, 440, 32);
    expect_font(heading, L"Segoe UI", 20, FW_BOLD);

    HWND label = made_by([] { escreve_texto("Emiss\xC3\xA3o Total (Ton CO\xE2\x82\x82):", 16, 20, 70, false); });
    EXPECT_EQ(text_of(label), L"Emiss\u00E3o Total (Ton CO\u2082):");
    expect_place(label, 20, 70, 440, 28);
    expect_font(label, L"Segoe UI", 16, FW_NORMAL);
    EXPECT_EQ(GetDlgCtrlID(label), 0);
}

TEST_F(Controls, NumericInputsAreEditsShowingSixSignificantDigits) {
    HWND input = made_by([] { cria_input_numerico(20, 90, 100, 10, 365.6); });
    EXPECT_EQ(_wcsicmp(class_of(input).c_str(), L"Edit"), 0);
    expect_edit_style(input, 0x50810080u);
    EXPECT_EQ(GetDlgCtrlID(input), 10);
    expect_place(input, 20, 90, 100, 24);
    expect_font(input, L"Segoe UI", 14, FW_NORMAL);
    EXPECT_EQ(g_txts.at(10), input);
    EXPECT_EQ(pega_input(10), "365.6");

    cria_input_numerico(20, 120, 100, 13, 8.32);
    EXPECT_EQ(pega_input(13), "8.32");
    cria_input_numerico(20, 120, 100, 13, 1234567);
    EXPECT_EQ(pega_input(13), "1.23457e+06");
}

TEST_F(Controls, OutputAreaAndOutputField) {
    HWND area = made_by([] { EXPECT_EQ(cria_texto_saida(20, 300, 300, 200, 500), 500); });
    EXPECT_EQ(_wcsicmp(class_of(area).c_str(), L"Edit"), 0);
    expect_edit_style(area, 0x50A10844u);
    EXPECT_EQ(GetDlgCtrlID(area), 500);
    expect_place(area, 20, 300, 300, 200);
    expect_font(area, L"Segoe UI Emoji", 14, FW_NORMAL);
    EXPECT_EQ(text_of(area), L"");

    HWND field = made_by([] { EXPECT_EQ(cria_campo_saida(20, 550, 400, 501), 501); });
    EXPECT_EQ(_wcsicmp(class_of(field).c_str(), L"Static"), 0);
    EXPECT_EQ(style_of(field), 0x50000000u);
    expect_place(field, 20, 550, 400, 25);
    expect_font(field, L"Segoe UI", 14, FW_NORMAL);
    EXPECT_EQ(pega_input(501), "---");
    atualiza_texto(501, "Parameters (Adult tree $: +10%) (Young Compensation: -30%)");
    EXPECT_EQ(text_of(field), L"Parameters (Adult tree $: +10%) (Young Compensation: -30%)");
}

TEST_F(Controls, CheckboxAndButton) {
    HWND box = made_by([] { cria_checkbox("Somente arvores adultas", 220, 185, 20); });
    EXPECT_EQ(_wcsicmp(class_of(box).c_str(), L"Button"), 0);
    EXPECT_EQ(style_of(box), 0x50010003u);
    expect_place(box, 220, 185, 240, 20);
    expect_font(box, L"Segoe UI", 13, FW_NORMAL);
    EXPECT_EQ(g_checks.at(20), box);
    EXPECT_FALSE(verifica_checkbox(20));

    Controller controller;
    HWND button = made_by([&] { cria_botao("Calculates Compensation", 130, 220, 200, &controller); });
    EXPECT_EQ(_wcsicmp(class_of(button).c_str(), L"Button"), 0);
    EXPECT_EQ(style_of(button), 0x50010001u);
    EXPECT_EQ(GetDlgCtrlID(button), 0);
    expect_place(button, 130, 220, 200, 32);
    expect_font(button, L"Segoe UI", 14, FW_BOLD);
    EXPECT_EQ(text_of(button), L"Calculates Compensation");
}

TEST_F(Controls, CaptionsAreReadUpTo254Units) {
    Controller controller;
    std::string caption(300, 'c');
    HWND button = made_by([&] { cria_botao(caption, 0, 40, 50, &controller); });
    clicks.clear();
    click(button);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].label, std::string(254, 'c'));
}

TEST_F(Controls, AtualizaTextoTurnsLineFeedsIntoLines) {
    cria_texto_saida(20, 300, 300, 200, 502);
    HWND area = g_txts.at(502);
    atualiza_texto(502, "one\ntwo");
    EXPECT_EQ(text_of(area), L"one\r\ntwo");
    EXPECT_EQ(SendMessageW(area, EM_GETLINECOUNT, 0, 0), 2);
    atualiza_texto(502, "one\r\ntwo");
    EXPECT_EQ(text_of(area), L"one\r\ntwo");

    // An empty line, an emoji (a surrogate pair) and a final line break.
    const std::string text = "first [12:51:00]\n\n \xF0\x9F\x8C\xB1 plant, CO\xE2\x82\x82\n";
    atualiza_texto(502, text);
    EXPECT_EQ(SendMessageW(area, EM_GETLINECOUNT, 0, 0), 4);
    EXPECT_EQ(pega_input(502), normalize_crlf(text));
}

TEST_F(Controls, PegaInputReadsAtMost1022Units) {
    cria_input(20, 430, 80, 31, "");
    atualiza_texto(31, std::string(2000, 'x'));
    EXPECT_EQ(GetWindowTextLengthW(g_txts.at(31)), 2000);
    EXPECT_EQ(pega_input(31), std::string(1022, 'x'));
}

TEST_F(Controls, NullEntriesCountAsAbsent) {
    g_txts[77] = nullptr;  // what a failed control creation leaves
    g_checks[78] = nullptr;
    EXPECT_EQ(pega_input(77), "");
    atualiza_texto(77, "nothing");
    EXPECT_FALSE(verifica_checkbox(78));
    g_txts.erase(77);
    g_checks.erase(78);
}

// ---------------------------------------------------------------- report

using Report = WithWindow;

// What the screen shows of `control`'s client area, row by row.
std::vector<COLORREF> shown_pixels(HWND control) {
    RECT client;
    GetClientRect(control, &client);
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(control);
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(control, dc);
    return pixels;
}

// Pixels of the report's black text: far darker than the face behind it.
long text_pixels(const std::vector<COLORREF>& pixels) {
    return std::count_if(pixels.begin(), pixels.end(), [](COLORREF c) {
        return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96;
    });
}

// A scrolled report must look like one that showed those lines from the
// start, with nothing left of the lines scrolled over.
TEST_F(Report, ScrolledLinesLookLikeFreshlyDrawnOnes) {
    std::string all, from_fourth;
    for (int line = 1; line <= 40; ++line) {
        std::string text = "line " + std::to_string(line) + " 365.600000\n";
        all += text;
        if (line > 3) from_fourth += text;
    }
    // High enough in the window at y=200 to be on a 1024 x 768 screen and
    // clear of its taskbar: pixels read off screen are no pixels at all.
    cria_texto_saida(10, 300, 200, 120, 600);
    cria_texto_saida(230, 300, 200, 120, 601);
    atualiza_texto(600, all);
    atualiza_texto(601, from_fourth);
    SendMessageW(g_txts.at(600), EM_LINESCROLL, 0, 3);
    UpdateWindow(g_txts.at(600));
    std::vector<COLORREF> scrolled = shown_pixels(g_txts.at(600)), fresh = shown_pixels(g_txts.at(601));
    // Two blank reports would match too: both must show lines of text.
    EXPECT_GT(text_pixels(scrolled), 500);
    EXPECT_GT(text_pixels(fresh), 500);
    EXPECT_TRUE(scrolled == fresh);
}

// ---------------------------------------------------------------- images

using Images = WithWindow;

TEST_F(Images, PanelIsRedAtHalfOpacityOverTheFaceColour) {
    show_png_b64(250, 50, 190, 80, PANEL_PNG_B64);
    ASSERT_TRUE(g_pngImage);
    EXPECT_EQ(g_pngImage->GetWidth(), 1u);
    EXPECT_EQ(g_pngRect.left, 250);
    EXPECT_EQ(g_pngRect.bottom, 130);
    // Inside the edges: with the half-pixel offset Wine's GDI+ leaves the
    // top row of the rectangle unpainted.
    expect_panel(pixel(250, 51), "top-left corner");
    expect_panel(pixel(345, 90), "centre");
    expect_panel(pixel(439, 129), "bottom-right corner");
    expect_face(pixel(249, 90), "left of the panel");
    expect_face(pixel(440, 90), "right of the panel");
    expect_face(pixel(345, 130), "below the panel");
}

TEST_F(Images, ASecondPngReplacesTheFirst) {
    show_png_b64(250, 50, 190, 80, PANEL_PNG_B64);
    show_png_b64(20, 300, 40, 30, BLUE_PNG_B64);
    EXPECT_EQ(g_pngRect.left, 20);
    EXPECT_EQ(g_pngRect.right, 60);
    expect_colour(pixel(40, 315), 0, 0, 255, "new image");
    expect_face(pixel(345, 90), "where the old image was");
}

TEST_F(Images, BadPngDataKeepsThePreviousImage) {
    show_png_b64(250, 50, 190, 80, PANEL_PNG_B64);
    Gdiplus::Image* kept = g_pngImage.get();
    show_png_b64(20, 300, 40, 30, "");
    show_png_b64(20, 300, 40, 30, "not Base64 at all!");
    show_png_b64(20, 300, 40, 30, "aGVsbG8gd29ybGQ=");  // decodes, but is no image
    EXPECT_EQ(g_pngImage.get(), kept);
    EXPECT_EQ(g_pngRect.left, 250);
    InvalidateRect(g_hMain, nullptr, FALSE);
    UpdateWindow(g_hMain);
    expect_panel(pixel(345, 90), "old image still painted");
    expect_face(pixel(40, 315), "nothing new painted");
}

TEST_F(Images, SvgBytesAreStoredAndTheFactoryMadeAtPaint) {
    show_svg_b64(345, 350, 100, 100, LOGO_SVG_B64);
    EXPECT_EQ(g_svgXml, decode_b64(LOGO_SVG_B64));
    EXPECT_EQ(g_svgRect.left, 345);
    EXPECT_EQ(g_svgRect.top, 350);
    EXPECT_EQ(g_svgRect.right, 445);
    EXPECT_EQ(g_svgRect.bottom, 450);
    // The repaint asked for a factory; drawing needs ID2D1DeviceContext5,
    // which may be missing (Wine): then the paint quietly skips the logo.
    EXPECT_TRUE(g_d2dFactory);
    expect_panel(pixel(345, 90), "the raster image is painted as well");
}

TEST_F(Images, BadSvgDataClearsTheStoredDocument) {
    show_svg_b64(345, 350, 100, 100, LOGO_SVG_B64);
    ASSERT_FALSE(g_svgXml.empty());
    show_svg_b64(0, 0, 10, 10, "@@@@");
    EXPECT_TRUE(g_svgXml.empty());
    EXPECT_EQ(g_svgRect.left, 345);  // rectangle left as it was
    InvalidateRect(g_hMain, nullptr, FALSE);
    UpdateWindow(g_hMain);  // painting with no SVG is fine
}

// ---------------------------------------------------------------- lifetime

TEST(Lifetime, ClosingReleasesImagesShutsGdiplusDownAndEndsTheLoop) {
    cria_janela(470, 620, 200, 200);
    show_png_b64(250, 50, 190, 80, PANEL_PNG_B64);
    show_svg_b64(345, 350, 100, 100, LOGO_SVG_B64);
    ASSERT_TRUE(g_pngImage);
    ASSERT_FALSE(g_svgXml.empty());
    ASSERT_TRUE(g_d2dFactory);
    ASSERT_TRUE(g_gdiplusStarted);

    PostMessageW(g_hMain, WM_CLOSE, 0, 0);
    executa_app();

    EXPECT_FALSE(IsWindow(g_hMain));
    EXPECT_FALSE(g_pngImage);
    EXPECT_TRUE(g_svgXml.empty());
    EXPECT_EQ(g_svgXml.capacity(), 0u);
    EXPECT_FALSE(g_d2dFactory);
    EXPECT_FALSE(g_gdiplusStarted);
    EXPECT_EQ(g_gdiplusToken, 0u);
}

}  // namespace
