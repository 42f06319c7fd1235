// d2d_svg.h against the toolchain's own d2d1_3.h and d2d1svg.h, where it has
// them: the same interface ids and bases, and every method the engine calls
// with the same signature (at compile time) and in the same vtable slot (at
// run time: a member pointer's slot cannot be read in a constant expression).
// Ours are compiled into namespace `ours`, their interface ids into a table.
#include <gtest/gtest.h>

#include <objidl.h>
#include <d2d1_3.h>

#include <type_traits>

#include "vtable_slot.h"

#pragma push_macro("__CRT_UUID_DECL")
#undef __CRT_UUID_DECL
#define __CRT_UUID_DECL(type, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
    template <>                                                          \
    struct iid<type> {                                                   \
        static constexpr GUID value = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}; \
    };
namespace ours {
template <typename T>
struct iid;
#include "d2d_svg.h"
}  // namespace ours
#pragma pop_macro("__CRT_UUID_DECL")

namespace {

// Our names to the system's, through pointers, const and member pointers.
template <typename T> struct sys { using type = T; };
template <typename T> using sys_t = typename sys<T>::type;
template <typename T> struct sys<T*> { using type = sys_t<T>*; };
template <typename T> struct sys<const T> { using type = const sys_t<T>; };
template <typename R, typename C, typename... A>
struct sys<R (C::*)(A...)> { using type = sys_t<R> (sys_t<C>::*)(sys_t<A>...); };
template <typename R, typename C, typename... A>
struct sys<R (C::*)(A...) const> { using type = sys_t<R> (sys_t<C>::*)(sys_t<A>...) const; };
#define SAME_NAME(name) template <> struct sys<ours::name> { using type = ::name; };
SAME_NAME(ID2D1DeviceContext1)
SAME_NAME(ID2D1DeviceContext2)
SAME_NAME(ID2D1DeviceContext3)
SAME_NAME(ID2D1DeviceContext4)
SAME_NAME(ID2D1DeviceContext5)
SAME_NAME(ID2D1SvgDocument)
SAME_NAME(ID2D1SvgElement)
SAME_NAME(D2D1_SVG_ATTRIBUTE_POD_TYPE)
SAME_NAME(D2D1_SVG_ATTRIBUTE_STRING_TYPE)
SAME_NAME(D2D1_SVG_VIEWBOX)

constexpr bool same_guid(const GUID& a, const GUID& b) {
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3;
}

// Same id, and the same base as ours in the system's declarations.
template <typename Ours, typename OurBase>
constexpr bool same_interface() {
    return std::is_base_of_v<OurBase, Ours> && std::is_base_of_v<sys_t<OurBase>, sys_t<Ours>> &&
           same_guid(ours::iid<Ours>::value, __uuidof(sys_t<Ours>));
}
static_assert(same_interface<ours::ID2D1DeviceContext1, ID2D1DeviceContext>());
static_assert(same_interface<ours::ID2D1DeviceContext2, ours::ID2D1DeviceContext1>());
static_assert(same_interface<ours::ID2D1DeviceContext3, ours::ID2D1DeviceContext2>());
static_assert(same_interface<ours::ID2D1DeviceContext4, ours::ID2D1DeviceContext3>());
static_assert(same_interface<ours::ID2D1DeviceContext5, ours::ID2D1DeviceContext4>());
static_assert(same_interface<ours::ID2D1SvgDocument, ID2D1Resource>());
static_assert(same_interface<ours::ID2D1SvgElement, ID2D1Resource>());

static_assert(sizeof(ours::D2D1_SVG_VIEWBOX) == sizeof(::D2D1_SVG_VIEWBOX));
static_assert(sizeof(ours::D2D1_SVG_ATTRIBUTE_POD_TYPE) == sizeof(::D2D1_SVG_ATTRIBUTE_POD_TYPE));
static_assert(static_cast<unsigned>(ours::D2D1_SVG_ATTRIBUTE_POD_TYPE_VIEWBOX) ==
              static_cast<unsigned>(::D2D1_SVG_ATTRIBUTE_POD_TYPE_VIEWBOX));

// The methods the engine calls; overloads named by their exact type.
using OurGetPod = HRESULT (ours::ID2D1SvgElement::*)(PCWSTR, ours::D2D1_SVG_ATTRIBUTE_POD_TYPE, void*, UINT32);
constexpr auto our_create = &ours::ID2D1DeviceContext5::CreateSvgDocument;
constexpr auto our_draw = &ours::ID2D1DeviceContext5::DrawSvgDocument;
constexpr auto our_viewport = &ours::ID2D1SvgDocument::SetViewportSize;
constexpr auto our_root = &ours::ID2D1SvgDocument::GetRoot;
constexpr auto our_get_pod = static_cast<OurGetPod>(&ours::ID2D1SvgElement::GetAttributeValue);
// Each line fails to compile when the system's method has another signature.
constexpr sys_t<decltype(our_create)> their_create = &::ID2D1DeviceContext5::CreateSvgDocument;
constexpr sys_t<decltype(our_draw)> their_draw = &::ID2D1DeviceContext5::DrawSvgDocument;
constexpr sys_t<decltype(our_viewport)> their_viewport = &::ID2D1SvgDocument::SetViewportSize;
constexpr sys_t<decltype(our_root)> their_root = &::ID2D1SvgDocument::GetRoot;
constexpr sys_t<OurGetPod> their_get_pod = &::ID2D1SvgElement::GetAttributeValue;

TEST(D2dSystemHeader, CalledMethodsSitInTheSystemsSlots) {
    EXPECT_EQ(slot_of(our_create), slot_of(their_create)) << "CreateSvgDocument";
    EXPECT_EQ(slot_of(our_draw), slot_of(their_draw)) << "DrawSvgDocument";
    EXPECT_EQ(slot_of(our_viewport), slot_of(their_viewport)) << "SetViewportSize";
    EXPECT_EQ(slot_of(our_root), slot_of(their_root)) << "GetRoot";
    EXPECT_EQ(slot_of(our_get_pod), slot_of(their_get_pod)) << "GetAttributeValue (plain value)";
}

}  // namespace
