// The two image calls of the facade and their painting: the raster panel
// through GDI+, the SVG logo through Direct2D's SVG renderer on a render
// target bound to the paint DC. Both paint straight onto the main window's
// client area, under the child controls.
#include "win32_engine.h"

#include <shlwapi.h>

#include <cstring>

#include "d2d_svg.h"
#include "facade.h"
#include "svg_layout.h"

using Microsoft::WRL::ComPtr;

// Statics with destructors are built in this order and torn down in the
// reverse one.
std::unique_ptr<Gdiplus::Image> g_pngImage;
std::vector<unsigned char> g_svgXml;
ComPtr<ID2D1Factory1> g_d2dFactory;
ULONG_PTR g_gdiplusToken = 0;
bool g_gdiplusStarted = false;
RECT g_pngRect = {0, 0, 0, 0};
RECT g_svgRect = {0, 0, 0, 0};

namespace {

constexpr UINT REDRAW_ALL = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
static_assert(REDRAW_ALL == 0x185);

// A stream over a private copy of the bytes that frees it when released.
ComPtr<IStream> stream_on_global_copy(const std::vector<unsigned char>& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return nullptr;
    void* target = GlobalLock(block);
    if (!target) {
        GlobalFree(block);
        return nullptr;
    }
    memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(block);
    ComPtr<IStream> stream;
    if (CreateStreamOnHGlobal(block, TRUE, stream.GetAddressOf()) != S_OK || !stream) {
        GlobalFree(block);
        return nullptr;
    }
    return stream;
}

}  // namespace

void ensure_gdiplus_started() {
    if (g_gdiplusStarted) return;
    Gdiplus::GdiplusStartupInput input;  // version 1, no callback, both flags off
    if (Gdiplus::GdiplusStartup(&g_gdiplusToken, &input, nullptr) == Gdiplus::Ok) g_gdiplusStarted = true;
}

void release_images() {
    g_pngImage.reset();  // before GDI+ goes
    std::vector<unsigned char>().swap(g_svgXml);
    g_d2dFactory.Reset();
    if (g_gdiplusStarted && g_gdiplusToken != 0) {
        Gdiplus::GdiplusShutdown(g_gdiplusToken);
        g_gdiplusToken = 0;
        g_gdiplusStarted = false;
    }
}

void show_png_b64(int x, int y, int width, int height, std::string base64) {
    if (!g_hMain) return;
    ensure_gdiplus_started();
    std::vector<unsigned char> bytes = decode_b64(base64);
    if (bytes.empty()) return;

    ComPtr<IStream> stream = stream_on_global_copy(bytes);
    if (!stream) return;
    std::unique_ptr<Gdiplus::Image> image(Gdiplus::Image::FromStream(stream.Get(), FALSE));
    stream.Reset();  // the decoder holds its own reference
    if (!image || image->GetLastStatus() != Gdiplus::Ok) return;

    g_pngImage = std::move(image);
    g_pngRect = {x, y, x + width, y + height};
    RedrawWindow(g_hMain, nullptr, nullptr, REDRAW_ALL);
}

void paint_png(HDC dc) {
    if (!g_pngImage) return;
    Gdiplus::Graphics graphics(dc);
    graphics.SetPageUnit(Gdiplus::UnitPixel);
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
    graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);

    // Tiling with flips keeps the edges of a stretched 1 x 1 image from
    // fading into the transparent outside.
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY, Gdiplus::Color(), FALSE);

    const RECT& r = g_pngRect;
    Gdiplus::Rect dest(r.left, r.top, r.right - r.left, r.bottom - r.top);
    graphics.DrawImage(g_pngImage.get(), dest, 0, 0, static_cast<INT>(g_pngImage->GetWidth()),
                       static_cast<INT>(g_pngImage->GetHeight()), Gdiplus::UnitPixel, &attributes, nullptr, nullptr);
}

void show_svg_b64(int x, int y, int width, int height, std::string base64) {
    if (!g_hMain) return;
    g_svgXml = decode_b64(base64);
    if (g_svgXml.empty()) return;  // cleared; the next paint draws no SVG
    g_svgRect = {x, y, x + width, y + height};
    RedrawWindow(g_hMain, nullptr, nullptr, REDRAW_ALL);
}

bool ensure_d2d_factory() {
    if (g_d2dFactory) return true;
    HRESULT hr = D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory1), nullptr,
                                   reinterpret_cast<void**>(g_d2dFactory.ReleaseAndGetAddressOf()));
    return SUCCEEDED(hr) && g_d2dFactory;
}

void paint_svg(HDC dc) {
    if (g_svgXml.empty() || !ensure_d2d_factory()) return;

    RECT client;
    GetClientRect(g_hMain, &client);

    D2D1_RENDER_TARGET_PROPERTIES props = {};
    props.type = D2D1_RENDER_TARGET_TYPE_DEFAULT;
    props.pixelFormat.format = DXGI_FORMAT_B8G8R8A8_UNORM;
    props.pixelFormat.alphaMode = D2D1_ALPHA_MODE_PREMULTIPLIED;
    props.dpiX = 0;
    props.dpiY = 0;
    props.usage = D2D1_RENDER_TARGET_USAGE_NONE;
    props.minLevel = D2D1_FEATURE_LEVEL_DEFAULT;
    ComPtr<ID2D1DCRenderTarget> target;
    if (FAILED(g_d2dFactory->CreateDCRenderTarget(&props, target.GetAddressOf())) || !target) return;
    if (FAILED(target->BindDC(dc, &client))) return;

    // Windows 10 1703 and later; there is no other SVG renderer.
    ComPtr<ID2D1DeviceContext5> context;
    if (FAILED(target.As(&context)) || !context) return;

    ComPtr<IStream> stream;
    stream.Attach(SHCreateMemStream(g_svgXml.data(), static_cast<UINT>(g_svgXml.size())));
    if (!stream) return;

    // The layout without a viewBox gives the target size the document is
    // opened with; the viewBox, once read, may change the rest.
    const RECT& r = g_svgRect;
    SvgLayout layout = svg_layout(r.left, r.top, r.right, r.bottom, nullptr, DPI_AJUSTADO);

    ComPtr<ID2D1SvgDocument> document;
    HRESULT hr = context->CreateSvgDocument(stream.Get(), D2D1::SizeF(layout.targetW, layout.targetH),
                                            document.GetAddressOf());
    stream.Reset();
    if (FAILED(hr) || !document) return;

    ComPtr<ID2D1SvgElement> root;
    document->GetRoot(root.GetAddressOf());
    if (root) {
        D2D1_SVG_VIEWBOX vb = {0, 0, layout.targetW, layout.targetH};
        if (SUCCEEDED(root->GetAttributeValue(L"viewBox", D2D1_SVG_ATTRIBUTE_POD_TYPE_VIEWBOX, &vb, sizeof(vb)))) {
            SvgViewBox viewBox{vb.x, vb.y, vb.width, vb.height};
            layout = svg_layout(r.left, r.top, r.right, r.bottom, &viewBox, DPI_AJUSTADO);
        }
    }

    document->SetViewportSize(D2D1::SizeF(layout.vbW, layout.vbH));
    D2D1_MATRIX_3X2_F transform =
        D2D1::Matrix3x2F::Scale(layout.sx, layout.sy) * D2D1::Matrix3x2F::Translation(layout.tx, layout.ty);

    context->BeginDraw();
    context->SetTransform(transform);
    context->DrawSvgDocument(document.Get());
    context->EndDraw();
    context->SetTransform(D2D1::Matrix3x2F::Identity());
}
