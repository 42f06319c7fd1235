// tests/contract/toolkit.h on AppKit (and GNUstep): the contract's clicks
// and looks at views, on the engine's main window.
#import "cocoa_engine.h"
#import "test_support.h"

#include "facade.h"
#include "toolkit.h"

namespace toolkit {

const char* const UNREGISTERED_TEXT = "";
const bool EACH_BUTTON_HAS_ITS_OWN_CONTROLLER = true;

void ensure_window() {}  // main made it
Widget last_widget() { return last_view(); }
void click(Widget control) { [(NSButton*)control performClick:nil]; }
void relabel(Widget button, const std::string& label) { [(NSButton*)button setTitle:[NSString stringWithUTF8String:label.c_str()]]; }
bool on_screen(Widget view) { return [[[win contentView] subviews] containsObject:(NSView*)view]; }
std::size_t registered_texts() { return txts.size(); }
std::size_t registered_checks() { return checks.size(); }

std::string shown_text(Widget view) {
    if ([(NSView*)view isKindOfClass:[NSButton class]]) return utf8([(NSButton*)view title]);
    return utf8([(NSTextField*)view stringValue]);
}

}  // namespace toolkit
