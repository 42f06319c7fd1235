// Which text on the window names a control for assistive technology: the
// core writes each caption just above the control it describes, at the same
// left edge. Shared by the engines; plain C++ with no toolkit in sight.
#pragma once

#include <cstddef>
#include <vector>

// Where a text sits: its left edge, and its vertical place on an axis that
// grows downwards (an engine with a bottom-left origin negates its y).
struct TextPlace {
    int x;
    int y;
};

// Index in `texts` of the caption of a control whose left edge is `x` and
// whose top is `top` (same axis as the texts), or -1 when none qualifies:
// the nearest text at the same left edge, at most `reach` above the control
// (0 counts: a text ending exactly where the control begins). Of two at the
// same distance the later written wins.
inline int caption_above(const std::vector<TextPlace>& texts, int x, int top, int reach = 30) {
    int best = -1;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int gap = top - texts[i].y;
        if (texts[i].x != x || gap < 0 || gap > reach) continue;
        if (best < 0 || gap <= top - texts[static_cast<std::size_t>(best)].y) best = static_cast<int>(i);
    }
    return best;
}
