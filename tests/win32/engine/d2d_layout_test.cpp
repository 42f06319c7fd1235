// The Direct2D SVG interfaces are declared by hand; Wine does not implement
// them, so a method in the wrong vtable slot would only show on Windows.
// These checks pin the slot of every method the engine calls, counted in the
// Windows SDK's binary order.
#include <gtest/gtest.h>

#include "d2d_svg.h"
#include "vtable_slot.h"

namespace {

TEST(D2dSlots, BaseInterfacesFromMingw) {
    // IUnknown 0-2, ID2D1Resource 3, ID2D1RenderTarget 4-56, ID2D1DeviceContext 57-91.
    using SetTransformPtr = void (STDMETHODCALLTYPE ID2D1RenderTarget::*)(const D2D1_MATRIX_3X2_F*);
    using FillMaskPtr = void (STDMETHODCALLTYPE ID2D1DeviceContext::*)(ID2D1Bitmap*, ID2D1Brush*, const D2D1_RECT_F*,
                                                                         const D2D1_RECT_F*);
    EXPECT_EQ(slot_of(static_cast<SetTransformPtr>(&ID2D1RenderTarget::SetTransform)), 30);
    EXPECT_EQ(slot_of(&ID2D1RenderTarget::BeginDraw), 48);
    EXPECT_EQ(slot_of(&ID2D1RenderTarget::EndDraw), 49);
    EXPECT_EQ(slot_of(&ID2D1DCRenderTarget::BindDC), 57);
    EXPECT_EQ(slot_of(static_cast<FillMaskPtr>(&ID2D1DeviceContext::FillOpacityMask)), 91);
}

TEST(D2dSlots, DeviceContextChain) {
    EXPECT_EQ(slot_of(&ID2D1DeviceContext1::CreateFilledGeometryRealization), 92);
    EXPECT_EQ(slot_of(&ID2D1DeviceContext1::DrawGeometryRealization), 94);
    EXPECT_EQ(slot_of(&ID2D1DeviceContext2::CreateInk), 95);
    EXPECT_EQ(slot_of(&ID2D1DeviceContext2::CreateTransformedImageSource), 105);
    EXPECT_EQ(slot_of(&ID2D1DeviceContext3::CreateSpriteBatch), 106);
    EXPECT_EQ(slot_of(&ID2D1DeviceContext3::DrawSpriteBatch), 107);
    EXPECT_EQ(slot_of(&ID2D1DeviceContext4::CreateSvgGlyphStyle), 108);
    EXPECT_EQ(slot_of(&ID2D1DeviceContext4::GetSvgGlyphImage), 114);
    EXPECT_EQ(slot_of(&ID2D1DeviceContext5::CreateSvgDocument), 115);
    EXPECT_EQ(slot_of(&ID2D1DeviceContext5::DrawSvgDocument), 116);
    EXPECT_EQ(slot_of(&ID2D1DeviceContext5::CreateColorContextFromSimpleColorProfile), 118);
}

TEST(D2dSlots, SvgDocumentAndElement) {
    EXPECT_EQ(slot_of(&ID2D1SvgDocument::SetViewportSize), 4);
    EXPECT_EQ(slot_of(&ID2D1SvgDocument::GetRoot), 7);
    EXPECT_EQ(slot_of(&ID2D1SvgDocument::CreatePathData), 14);

    using GetPod = HRESULT (STDMETHODCALLTYPE ID2D1SvgElement::*)(PCWSTR, D2D1_SVG_ATTRIBUTE_POD_TYPE, void*, UINT32);
    using GetString = HRESULT (STDMETHODCALLTYPE ID2D1SvgElement::*)(PCWSTR, D2D1_SVG_ATTRIBUTE_STRING_TYPE, PWSTR,
                                                                      UINT32);
    using GetInterface = HRESULT (STDMETHODCALLTYPE ID2D1SvgElement::*)(PCWSTR, REFIID, void**);
    EXPECT_EQ(slot_of(&ID2D1SvgElement::GetTextValueLength), 26);
    EXPECT_EQ(slot_of(static_cast<GetString>(&ID2D1SvgElement::GetAttributeValue)), 28);
    EXPECT_EQ(slot_of(static_cast<GetPod>(&ID2D1SvgElement::GetAttributeValue)), 31);
    EXPECT_EQ(slot_of(static_cast<GetInterface>(&ID2D1SvgElement::GetAttributeValue)), 33);
}

TEST(D2dSlots, InterfaceIds) {
    const GUID dc5 = {0x7836d248, 0x68cc, 0x4df6, {0xb9, 0xe8, 0xde, 0x99, 0x1b, 0xf6, 0x2e, 0xb7}};
    EXPECT_TRUE(IsEqualGUID(__uuidof(ID2D1DeviceContext5), dc5));
    const GUID element = {0xac7b67a6, 0x183e, 0x49c1, {0xa8, 0x23, 0x0e, 0xbe, 0x40, 0xb0, 0xdb, 0x29}};
    EXPECT_TRUE(IsEqualGUID(__uuidof(ID2D1SvgElement), element));
    EXPECT_EQ(sizeof(D2D1_SVG_VIEWBOX), 16u);
    EXPECT_EQ(D2D1_SVG_ATTRIBUTE_POD_TYPE_VIEWBOX, 12u);
}

}  // namespace
