// AppKit calls that macOS has and GNUstep (gui 0.29) lacks. Only the GNUstep
// build sees this header: it is force-included into the engine's
// Objective-C++ sources. It brings in nothing beyond what <AppKit/AppKit.h>
// gives on macOS; the runtime's additions are in include/objc/runtime.h.
#pragma once

#ifdef __OBJC__
#import <AppKit/AppKit.h>

@interface NSTextField (CalcCompat)
// A static, non-editable, non-selectable one-line label without border or
// background, autoreleased.
+ (id)labelWithString:(NSString*)text;
@end

@interface NSButton (CalcCompat)
// A rounded push button that sends `action` to `target`, autoreleased.
+ (id)buttonWithTitle:(NSString*)title target:(id)target action:(SEL)action;
// A two-state checkbox, initially off, autoreleased.
+ (id)checkboxWithTitle:(NSString*)title target:(id)target action:(SEL)action;
@end

@interface NSView (CalcCompat)
// What VoiceOver reads for the view on macOS; GNUstep has no screen-reader
// bridge to give it to, so this does nothing.
- (void)setAccessibilityLabel:(NSString*)label;
@end

@interface NSApplication (CalcCompat)
// Every GNUstep application is a regular one: only that policy is accepted.
- (BOOL)setActivationPolicy:(NSApplicationActivationPolicy)policy;
@end

#endif  // __OBJC__
