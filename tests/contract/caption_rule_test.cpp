// engine/caption_rule.h: the text that names a control, on the View's layout and at its edges.
#include <gtest/gtest.h>

#include "caption_rule.h"

TEST(CaptionRule, TheNearestTextAtTheSameLeftEdgeAtMostThirtyAbove) {
    // Title, the three input captions and "Simulation:", top-left origin.
    const std::vector<TextPlace> view = {{40, 5}, {20, 70}, {290, 70}, {20, 160}, {20, 280}};
    EXPECT_EQ(caption_above(view, 20, 90), 1);
    EXPECT_EQ(caption_above(view, 290, 90), 2);
    EXPECT_EQ(caption_above(view, 20, 180), 3);
    EXPECT_EQ(caption_above(view, 20, 300), 4);
    EXPECT_EQ(caption_above(view, 20, 550), -1);  // the parameters field
    EXPECT_EQ(caption_above({{20, 60}, {20, 59}, {21, 80}, {20, 95}}, 20, 90), 0);
    EXPECT_EQ(caption_above({{20, 59}, {21, 80}, {20, 95}}, 20, 90), -1);
    EXPECT_EQ(caption_above({{20, 70}, {20, 80}, {20, 80}}, 20, 90), 2);
    EXPECT_EQ(caption_above({{20, -535}}, 20, -(505 + 24)), 0);  // Cocoa's axis negated
}
