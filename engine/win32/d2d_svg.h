// Direct2D's SVG interfaces (Windows 10 1703 and later). MinGW-w64 as
// shipped here stops at d2d1_1.h, so the device-context chain from
// ID2D1DeviceContext1 to ID2D1DeviceContext5, ID2D1SvgDocument and
// ID2D1SvgElement are declared here with the Windows SDK's interface IDs.
//
// Only the vtable layout matters for methods this program never calls:
// each keeps its slot, with pointer types simplified. The order below is the
// binary order, which for ID2D1SvgElement's overloaded attribute accessors is
// not the order of the SDK's source. tests/win32/engine/d2d_layout_test.cpp
// pins the slot of every method called.
#pragma once

#include <d2d1_1.h>
#include <objidl.h>

enum D2D1_SVG_ATTRIBUTE_POD_TYPE : UINT32 {
    D2D1_SVG_ATTRIBUTE_POD_TYPE_FLOAT = 0,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_COLOR = 1,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_FILL_MODE = 2,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_DISPLAY = 3,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_OVERFLOW = 4,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_LINE_CAP = 5,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_LINE_JOIN = 6,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_VISIBILITY = 7,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_MATRIX = 8,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_UNIT_TYPE = 9,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_EXTEND_MODE = 10,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_PRESERVE_ASPECT_RATIO = 11,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_VIEWBOX = 12,
    D2D1_SVG_ATTRIBUTE_POD_TYPE_LENGTH = 13,
};

enum D2D1_SVG_ATTRIBUTE_STRING_TYPE : UINT32 {
    D2D1_SVG_ATTRIBUTE_STRING_TYPE_SVG = 0,
    D2D1_SVG_ATTRIBUTE_STRING_TYPE_ID = 1,
};

struct D2D1_SVG_VIEWBOX {
    FLOAT x;
    FLOAT y;
    FLOAT width;
    FLOAT height;
};
static_assert(sizeof(D2D1_SVG_VIEWBOX) == 16, "viewBox is four floats");

interface ID2D1SvgDocument;
interface ID2D1SvgElement;

interface ID2D1DeviceContext1 : public ID2D1DeviceContext {
    STDMETHOD(CreateFilledGeometryRealization)(ID2D1Geometry* geometry, FLOAT flatteningTolerance, IUnknown** realization) PURE;
    STDMETHOD(CreateStrokedGeometryRealization)(ID2D1Geometry* geometry, FLOAT flatteningTolerance, FLOAT strokeWidth,
                                                ID2D1StrokeStyle* strokeStyle, IUnknown** realization) PURE;
    STDMETHOD_(void, DrawGeometryRealization)(IUnknown* realization, ID2D1Brush* brush) PURE;
};

interface ID2D1DeviceContext2 : public ID2D1DeviceContext1 {
    STDMETHOD(CreateInk)(const void* startPoint, IUnknown** ink) PURE;
    STDMETHOD(CreateInkStyle)(const void* properties, IUnknown** inkStyle) PURE;
    STDMETHOD(CreateGradientMesh)(const void* patches, UINT32 patchesCount, IUnknown** gradientMesh) PURE;
    STDMETHOD(CreateImageSourceFromWic)(IUnknown* source, UINT32 loadingOptions, D2D1_ALPHA_MODE alphaMode,
                                        IUnknown** imageSource) PURE;
    STDMETHOD(CreateLookupTable3D)(UINT32 precision, const UINT32* extents, const BYTE* data, UINT32 dataCount,
                                   const UINT32* strides, IUnknown** lookupTable) PURE;
    STDMETHOD(CreateImageSourceFromDxgi)(IUnknown** surfaces, UINT32 surfaceCount, UINT32 colorSpace, UINT32 options,
                                         IUnknown** imageSource) PURE;
    STDMETHOD(GetGradientMeshWorldBounds)(IUnknown* gradientMesh, D2D1_RECT_F* bounds) PURE;
    STDMETHOD_(void, DrawInk)(IUnknown* ink, ID2D1Brush* brush, IUnknown* inkStyle) PURE;
    STDMETHOD_(void, DrawGradientMesh)(IUnknown* gradientMesh) PURE;
    STDMETHOD_(void, DrawGdiMetafile)(ID2D1GdiMetafile* gdiMetafile, const D2D1_RECT_F* destinationRectangle,
                                      const D2D1_RECT_F* sourceRectangle) PURE;
    STDMETHOD(CreateTransformedImageSource)(IUnknown* imageSource, const void* properties,
                                            IUnknown** transformedImageSource) PURE;
    using ID2D1DeviceContext::DrawGdiMetafile;
};

interface ID2D1DeviceContext3 : public ID2D1DeviceContext2 {
    STDMETHOD(CreateSpriteBatch)(IUnknown** spriteBatch) PURE;
    STDMETHOD_(void, DrawSpriteBatch)(IUnknown* spriteBatch, UINT32 startIndex, UINT32 spriteCount, ID2D1Bitmap* bitmap,
                                      UINT32 interpolationMode, UINT32 spriteOptions) PURE;
};

interface ID2D1DeviceContext4 : public ID2D1DeviceContext3 {
    STDMETHOD(CreateSvgGlyphStyle)(IUnknown** svgGlyphStyle) PURE;
    STDMETHOD_(void, DrawText)(const WCHAR* string, UINT32 stringLength, IUnknown* textFormat,
                               const D2D1_RECT_F* layoutRect, ID2D1Brush* defaultFillBrush, IUnknown* svgGlyphStyle,
                               UINT32 colorPaletteIndex, UINT32 options, UINT32 measuringMode) PURE;
    STDMETHOD_(void, DrawTextLayout)(D2D1_POINT_2F origin, IUnknown* textLayout, ID2D1Brush* defaultFillBrush,
                                     IUnknown* svgGlyphStyle, UINT32 colorPaletteIndex, UINT32 options) PURE;
    STDMETHOD_(void, DrawColorBitmapGlyphRun)(UINT32 glyphImageFormat, D2D1_POINT_2F baselineOrigin,
                                              const void* glyphRun, UINT32 measuringMode, UINT32 bitmapSnapOption) PURE;
    STDMETHOD_(void, DrawSvgGlyphRun)(D2D1_POINT_2F baselineOrigin, const void* glyphRun,
                                      ID2D1Brush* defaultFillBrush, IUnknown* svgGlyphStyle, UINT32 colorPaletteIndex,
                                      UINT32 measuringMode) PURE;
    STDMETHOD(GetColorBitmapGlyphImage)(UINT32 glyphImageFormat, D2D1_POINT_2F glyphOrigin, IUnknown* fontFace,
                                        FLOAT fontEmSize, UINT16 glyphIndex, BOOL isSideways,
                                        const D2D1_MATRIX_3X2_F* worldTransform, FLOAT dpiX, FLOAT dpiY,
                                        D2D1_MATRIX_3X2_F* glyphTransform, ID2D1Image** glyphImage) PURE;
    STDMETHOD(GetSvgGlyphImage)(D2D1_POINT_2F glyphOrigin, IUnknown* fontFace, FLOAT fontEmSize, UINT16 glyphIndex,
                                BOOL isSideways, const D2D1_MATRIX_3X2_F* worldTransform, ID2D1Brush* defaultFillBrush,
                                IUnknown* svgGlyphStyle, UINT32 colorPaletteIndex, D2D1_MATRIX_3X2_F* glyphTransform,
                                ID2D1CommandList** glyphImage) PURE;
    using ID2D1RenderTarget::DrawText;
    using ID2D1RenderTarget::DrawTextLayout;
};

interface ID2D1DeviceContext5 : public ID2D1DeviceContext4 {
    STDMETHOD(CreateSvgDocument)(IStream* inputXmlStream, D2D1_SIZE_F viewportSize,
                                 ID2D1SvgDocument** svgDocument) PURE;
    STDMETHOD_(void, DrawSvgDocument)(ID2D1SvgDocument* svgDocument) PURE;
    STDMETHOD(CreateColorContextFromDxgiColorSpace)(UINT32 colorSpace, IUnknown** colorContext) PURE;
    STDMETHOD(CreateColorContextFromSimpleColorProfile)(const void* simpleProfile, IUnknown** colorContext) PURE;
};

interface ID2D1SvgDocument : public ID2D1Resource {
    STDMETHOD(SetViewportSize)(D2D1_SIZE_F viewportSize) PURE;
    // Returns a structure: the Windows x64 ABI passes it through a hidden pointer.
    virtual D2D1_SIZE_F* STDMETHODCALLTYPE GetViewportSize(D2D1_SIZE_F* result) const = 0;
    STDMETHOD(SetRoot)(ID2D1SvgElement* root) PURE;
    STDMETHOD_(void, GetRoot)(ID2D1SvgElement** root) PURE;
    STDMETHOD(FindElementById)(PCWSTR id, ID2D1SvgElement** svgElement) PURE;
    STDMETHOD(Serialize)(IStream* outputXmlStream, ID2D1SvgElement* subtree) PURE;
    STDMETHOD(Deserialize)(IStream* inputXmlStream, ID2D1SvgElement** subtree) PURE;
    STDMETHOD(CreatePaint)(UINT32 paintType, const D2D1_COLOR_F* color, PCWSTR id, IUnknown** paint) PURE;
    STDMETHOD(CreateStrokeDashArray)(const void* dashes, UINT32 dashesCount, IUnknown** strokeDashArray) PURE;
    STDMETHOD(CreatePointCollection)(const D2D1_POINT_2F* points, UINT32 pointsCount, IUnknown** pointCollection) PURE;
    STDMETHOD(CreatePathData)(const FLOAT* segmentData, UINT32 segmentDataCount, const UINT32* commands,
                              UINT32 commandsCount, IUnknown** pathData) PURE;
};

interface ID2D1SvgElement : public ID2D1Resource {
    STDMETHOD_(void, GetDocument)(ID2D1SvgDocument** document) PURE;
    STDMETHOD(GetTagName)(PWSTR name, UINT32 nameCount) PURE;
    STDMETHOD_(UINT32, GetTagNameLength)() PURE;
    STDMETHOD_(BOOL, IsTextContent)() PURE;
    STDMETHOD_(void, GetParent)(ID2D1SvgElement** parent) PURE;
    STDMETHOD_(BOOL, HasChildren)() PURE;
    STDMETHOD_(void, GetFirstChild)(ID2D1SvgElement** child) PURE;
    STDMETHOD_(void, GetLastChild)(ID2D1SvgElement** child) PURE;
    STDMETHOD(GetPreviousChild)(ID2D1SvgElement* referenceChild, ID2D1SvgElement** previousChild) PURE;
    STDMETHOD(GetNextChild)(ID2D1SvgElement* referenceChild, ID2D1SvgElement** nextChild) PURE;
    STDMETHOD(InsertChildBefore)(ID2D1SvgElement* newChild, ID2D1SvgElement* referenceChild) PURE;
    STDMETHOD(AppendChild)(ID2D1SvgElement* newChild) PURE;
    STDMETHOD(ReplaceChild)(ID2D1SvgElement* newChild, ID2D1SvgElement* oldChild) PURE;
    STDMETHOD(RemoveChild)(ID2D1SvgElement* oldChild) PURE;
    STDMETHOD(CreateChild)(PCWSTR tagName, ID2D1SvgElement** newChild) PURE;
    STDMETHOD_(BOOL, IsAttributeSpecified)(PCWSTR name, BOOL* inherited) PURE;
    STDMETHOD_(UINT32, GetSpecifiedAttributeCount)() PURE;
    STDMETHOD(GetSpecifiedAttributeName)(UINT32 index, PWSTR name, UINT32 nameCount, BOOL* inherited) PURE;
    STDMETHOD(GetSpecifiedAttributeNameLength)(UINT32 index, UINT32* nameLength, BOOL* inherited) PURE;
    STDMETHOD(RemoveAttribute)(PCWSTR name) PURE;
    STDMETHOD(SetTextValue)(const WCHAR* name, UINT32 nameCount) PURE;
    STDMETHOD(GetTextValue)(PWSTR name, UINT32 nameCount) PURE;
    STDMETHOD_(UINT32, GetTextValueLength)() PURE;
    // The three overloads of each accessor, in vtable order.
    STDMETHOD(SetAttributeValue)(PCWSTR name, D2D1_SVG_ATTRIBUTE_STRING_TYPE type, PCWSTR value) PURE;
    STDMETHOD(GetAttributeValue)(PCWSTR name, D2D1_SVG_ATTRIBUTE_STRING_TYPE type, PWSTR value, UINT32 valueCount) PURE;
    STDMETHOD(GetAttributeValueLength)(PCWSTR name, D2D1_SVG_ATTRIBUTE_STRING_TYPE type, UINT32* valueLength) PURE;
    STDMETHOD(SetAttributeValue)(PCWSTR name, D2D1_SVG_ATTRIBUTE_POD_TYPE type, const void* value,
                                 UINT32 valueSizeInBytes) PURE;
    STDMETHOD(GetAttributeValue)(PCWSTR name, D2D1_SVG_ATTRIBUTE_POD_TYPE type, void* value,
                                 UINT32 valueSizeInBytes) PURE;
    STDMETHOD(SetAttributeValue)(PCWSTR name, IUnknown* value) PURE;
    STDMETHOD(GetAttributeValue)(PCWSTR name, REFIID riid, void** value) PURE;
};

__CRT_UUID_DECL(ID2D1DeviceContext1, 0xd37f57e4, 0x6908, 0x459f, 0xa1, 0x99, 0xe7, 0x2f, 0x24, 0xf7, 0x99, 0x87);
__CRT_UUID_DECL(ID2D1DeviceContext2, 0x394ea6a3, 0x0c34, 0x4321, 0x95, 0x0b, 0x6c, 0xa2, 0x0f, 0x0b, 0xe6, 0xc7);
__CRT_UUID_DECL(ID2D1DeviceContext3, 0x235a7496, 0x8351, 0x414c, 0xbc, 0xd4, 0x66, 0x72, 0xab, 0x2d, 0x8e, 0x00);
__CRT_UUID_DECL(ID2D1DeviceContext4, 0x8c427831, 0x3d90, 0x4476, 0xb6, 0x47, 0xc4, 0xfa, 0xe3, 0x49, 0xe4, 0xdb);
__CRT_UUID_DECL(ID2D1DeviceContext5, 0x7836d248, 0x68cc, 0x4df6, 0xb9, 0xe8, 0xde, 0x99, 0x1b, 0xf6, 0x2e, 0xb7);
__CRT_UUID_DECL(ID2D1SvgDocument, 0x86b88e4d, 0xafa4, 0x4d7b, 0x88, 0xe4, 0x68, 0xa5, 0x1c, 0x4a, 0x0a, 0xec);
__CRT_UUID_DECL(ID2D1SvgElement, 0xac7b67a6, 0x183e, 0x49c1, 0xa8, 0x23, 0x0e, 0xbe, 0x40, 0xb0, 0xdb, 0x29);
