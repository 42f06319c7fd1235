// Cocoa engine: the window, its widgets at fixed frames (bottom-left origin),
// the two ID registries and the button target. Exposed for the engine tests.
#pragma once

#import <AppKit/AppKit.h>

#include <map>
#include <string>

class Controller;

// Target of one button: forwards its click to the controller given with it.
@interface Proxy : NSObject {
    Controller* _ctrl;
}
- (void)clicou:(id)sender;
@property(assign) Controller* ctrl;
@end

// Ends the application when its last window closes.
@interface AppDelegate : NSObject <NSApplicationDelegate>
- (BOOL)applicationShouldTerminateAfterLastWindowClosed:(NSApplication*)sender;
@end

extern NSWindow* win;
// Multi-line outputs are registered as their NSTextView under this type;
// atualiza_texto and pega_input tell the two kinds apart at run time.
extern std::map<int, NSTextField*> txts;
extern std::map<int, NSButton*> checks;

// Puts a view on the window's content view, where every widget goes.
void add_to_window(NSView* view);

// The text of a widget in the text registry as the core should read it.
// Numbers shown by a formatter come back ungrouped, with the decimal point
// of the C library's numeric locale, so that std::stod reads what is shown.
std::string widget_text(NSView* widget);
