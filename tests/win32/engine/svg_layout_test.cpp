// Placement of the SVG logo; built with the host compiler and run natively.
#include <gtest/gtest.h>

#include "svg_layout.h"

namespace {

constexpr float DIVISOR = 3.8f;

TEST(SvgLayout, LogoWithViewBox) {
    SvgViewBox vb{0, 0, 140, 140};
    SvgLayout l = svg_layout(345, 350, 445, 450, &vb, DIVISOR);
    EXPECT_FLOAT_EQ(l.targetW, 26.315790f);
    EXPECT_FLOAT_EQ(l.targetH, 26.315790f);
    EXPECT_FLOAT_EQ(l.sx, 0.18796992f);
    EXPECT_FLOAT_EQ(l.sy, 0.18796992f);
    EXPECT_FLOAT_EQ(l.vbW, 140);
    EXPECT_FLOAT_EQ(l.tx, 345);  // the viewBox starts at 0: a plain move to the corner
    EXPECT_FLOAT_EQ(l.ty, 350);
}

TEST(SvgLayout, ViewBoxOriginShiftsTheDrawing) {
    SvgViewBox vb{10, 20, 50, 100};
    SvgLayout l = svg_layout(0, 0, 380, 380, &vb, DIVISOR);
    EXPECT_FLOAT_EQ(l.sx, 2.0f);  // 100 / 50
    EXPECT_FLOAT_EQ(l.sy, 1.0f);  // the axes scale independently
    EXPECT_FLOAT_EQ(l.tx, -20.0f);
    EXPECT_FLOAT_EQ(l.ty, -20.0f);
}

TEST(SvgLayout, NoUsableViewBoxDrawsUnscaled) {
    SvgViewBox zeroWidth{0, 0, 0, 140};
    SvgViewBox negative{0, 0, 140, -1};
    const SvgViewBox* unusable[] = {nullptr, &zeroWidth, &negative};
    for (const SvgViewBox* vb : unusable) {
        SvgLayout l = svg_layout(345, 350, 445, 450, vb, DIVISOR);
        EXPECT_FLOAT_EQ(l.sx, 1.0f);
        EXPECT_FLOAT_EQ(l.sy, 1.0f);
        EXPECT_FLOAT_EQ(l.vbW, l.targetW);  // viewport is the target size
        EXPECT_FLOAT_EQ(l.vbX, 0);
        EXPECT_FLOAT_EQ(l.tx, 345);
        EXPECT_FLOAT_EQ(l.ty, 350);
    }
}

TEST(SvgLayout, ZeroWidthRectangleKeepsScaleOne) {
    SvgLayout l = svg_layout(10, 10, 10, 110, nullptr, DIVISOR);
    EXPECT_FLOAT_EQ(l.vbW, 0);
    EXPECT_FLOAT_EQ(l.sx, 1.0f);
    EXPECT_FLOAT_EQ(l.sy, 1.0f);
}

}  // namespace
