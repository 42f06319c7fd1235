// AppKit and runtime calls that macOS has and GNUstep (gui 0.29 on GCC's
// Objective-C runtime) lacks. Only the GNUstep build sees this header: it is
// force-included into the engine's Objective-C++ sources.
#pragma once

#ifdef __OBJC__
#import <AppKit/AppKit.h>
#include <objc/runtime.h>
#include <stdint.h>

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

typedef uintptr_t objc_AssociationPolicy;
enum {
    OBJC_ASSOCIATION_ASSIGN = 0,
    OBJC_ASSOCIATION_RETAIN_NONATOMIC = 1,
    OBJC_ASSOCIATION_COPY_NONATOMIC = 3,
    OBJC_ASSOCIATION_RETAIN = 01401,
    OBJC_ASSOCIATION_COPY = 01403
};

#ifdef __cplusplus
extern "C" {
#endif
// Associated objects kept in a side table; retained values are released
// when they are replaced or cleared, or when their owner is deallocated.
void objc_setAssociatedObject(id object, const void* key, id value, objc_AssociationPolicy policy);
id objc_getAssociatedObject(id object, const void* key);
void objc_removeAssociatedObjects(id object);
#ifdef __cplusplus
}
#endif

#endif  // __OBJC__
