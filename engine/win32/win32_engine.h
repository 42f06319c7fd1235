// State and helpers of the Win32 engine that its three sources share and that
// its tests reach besides the facade.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objidl.h>  // gdiplus.h needs IStream; WIN32_LEAN_AND_MEAN would drop it
#include <gdiplus.h>
#include <wrl/client.h>
#include <d2d1_1.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class Controller;

extern HWND g_hMain;               // the main window; null until cria_janela
extern HINSTANCE g_hInst;          // the program's own module
extern Controller* g_controller;   // serves every push button (not owned)
extern std::map<int, HWND> g_txts;    // inputs and output fields by id
extern std::map<int, HWND> g_checks;  // checkboxes by id

// Image state, painted on every WM_PAINT of the main window (images.cpp).
extern ULONG_PTR g_gdiplusToken;
extern bool g_gdiplusStarted;
extern std::unique_ptr<Gdiplus::Image> g_pngImage;
extern RECT g_pngRect;
extern std::vector<unsigned char> g_svgXml;
extern RECT g_svgRect;
extern Microsoft::WRL::ComPtr<ID2D1Factory1> g_d2dFactory;

// Divisor from the pixel rectangle to the SVG target size.
inline constexpr float DPI_AJUSTADO = 3.8f;

// Text and data conversion; each failure gives the empty value.
std::wstring utf8_to_wide(const std::string& text);
std::string wide_to_utf8(const std::wstring& text);
std::string normalize_crlf(const std::string& text);
std::vector<unsigned char> decode_b64(const std::string& text);

// Image painting, called from the window procedure.
void ensure_gdiplus_started();
bool ensure_d2d_factory();
void paint_png(HDC dc);
void paint_svg(HDC dc);
// Frees the images and shuts GDI+ down; the window procedure calls it when
// the main window goes.
void release_images();

// The window procedure of "WinAppClass".
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
