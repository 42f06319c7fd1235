#include <gtest/gtest.h>

#include <climits>

#include "geopos.h"

namespace {

TEST(GeoPos, NativeMeansThisProgramsConvention) {
    GeoPos native(620, SISTEMA_NATIVO);
#if defined(CALC_ENGINE_COCOA)
    EXPECT_EQ(native.sistema, SISTEMA_MACOS);
    EXPECT_EQ(native.y(550, 20), 50);
#elif defined(CALC_ENGINE_WIN32)
    EXPECT_EQ(native.sistema, SISTEMA_WINDOWS);
    EXPECT_EQ(native.y(550, 20), 550);
#elif defined(CALC_ENGINE_GTK) || defined(CALC_ENGINE_WEB)
    EXPECT_EQ(native.sistema, SISTEMA_LINUX);
    EXPECT_EQ(native.y(550, 20), 550);
#else
#error "no native convention for this engine: define CALC_ENGINE_GTK, CALC_ENGINE_WIN32, CALC_ENGINE_COCOA or CALC_ENGINE_WEB"
#endif
    EXPECT_EQ(native.altura, 620);
}

TEST(GeoPos, ExplicitConventionsHoldInEveryProgram) {
    GeoPos mac(620, SISTEMA_MACOS);
    EXPECT_EQ(mac.y(5, 30), 585);
    EXPECT_EQ(mac.y(300, 200), 120);
    EXPECT_EQ(mac.y(700, 20), -100);  // not clamped

    GeoPos windows(620, SISTEMA_WINDOWS);
    EXPECT_EQ(windows.y(5, 30), 5);
    EXPECT_EQ(windows.y(700, 20), 700);

    // Any stored value other than 0 keeps the top-left convention.
    GeoPos odd(620, static_cast<Sistema>(7));
    EXPECT_EQ(odd.sistema, 7);
    EXPECT_EQ(odd.y(550, 20), 550);
}

TEST(GeoPos, XPassesThroughAndExtremesWrapWithoutTrapping) {
    GeoPos mac(620, SISTEMA_MACOS);
    EXPECT_EQ(mac.x(-40), -40);
    EXPECT_EQ(mac.x(INT_MAX), INT_MAX);
    // 32-bit arithmetic: 620 - INT_MIN - 0 wraps, and must not be undefined.
    EXPECT_EQ(mac.y(INT_MIN, 0), INT_MIN + 620);
}

}  // namespace
