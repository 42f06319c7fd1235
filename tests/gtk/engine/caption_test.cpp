// The rule that picks the text naming a control, on the View's own layout
// and at its edges.
#include <gtest/gtest.h>

#include "caption_rule.h"

TEST(CaptionRule, EachInputAndTheOutputAreaFindTheTextWrittenAboveThem) {
    // Title, the three input captions and "Simulation:", top-left origin.
    const std::vector<TextPlace> texts = {{40, 5}, {20, 70}, {290, 70}, {20, 160}, {20, 280}};
    EXPECT_EQ(caption_above(texts, 20, 90), 1);
    EXPECT_EQ(caption_above(texts, 290, 90), 2);
    EXPECT_EQ(caption_above(texts, 20, 180), 3);
    EXPECT_EQ(caption_above(texts, 20, 300), 4);
    EXPECT_EQ(caption_above(texts, 20, 550), -1);   // the parameters field has none
    EXPECT_EQ(caption_above(texts, 220, 185), -1);  // nor the checkbox
}

TEST(CaptionRule, OnlyTheSameLeftEdgeWithinThirtyAboveAndTheNearestCounts) {
    EXPECT_EQ(caption_above({{20, 60}}, 20, 90), 0);
    EXPECT_EQ(caption_above({{20, 59}}, 20, 90), -1);
    EXPECT_EQ(caption_above({{21, 70}}, 20, 90), -1);
    EXPECT_EQ(caption_above({{20, 95}}, 20, 90), -1);  // below the control
    EXPECT_EQ(caption_above({{20, 90}}, 20, 90), 0);   // ends where the control begins
    EXPECT_EQ(caption_above({{20, 80}, {20, 65}}, 20, 90), 0);
    EXPECT_EQ(caption_above({{20, 70}, {20, 70}}, 20, 90), 1);
    EXPECT_EQ(caption_above({}, 20, 90), -1);
    // A bottom-left origin negated: the label's bottom edge 6 above the field's top.
    EXPECT_EQ(caption_above({{20, -535}}, 20, -(505 + 24)), 0);
}
