// Convenience constructors of newer AppKit, built from the older calls.
#import "gnustep_compat.h"

@implementation NSTextField (CalcCompat)
+ (id)labelWithString:(NSString*)text {
    NSTextField* label = [[[self alloc] initWithFrame:NSZeroRect] autorelease];
    [label setStringValue:text];
    [label setEditable:NO];
    [label setSelectable:NO];
    [label setBezeled:NO];
    [label setBordered:NO];
    [label setDrawsBackground:NO];
    [[label cell] setLineBreakMode:NSLineBreakByClipping];
    [label sizeToFit];
    return label;
}
@end

@implementation NSButton (CalcCompat)
+ (id)buttonWithTitle:(NSString*)title target:(id)target action:(SEL)action {
    NSButton* button = [[[self alloc] initWithFrame:NSZeroRect] autorelease];
    [button setButtonType:NSMomentaryPushInButton];
    [button setBezelStyle:NSRoundedBezelStyle];
    [button setTitle:title];
    [button setTarget:target];
    [button setAction:action];
    [button sizeToFit];
    return button;
}

+ (id)checkboxWithTitle:(NSString*)title target:(id)target action:(SEL)action {
    NSButton* checkbox = [[[self alloc] initWithFrame:NSZeroRect] autorelease];
    [checkbox setButtonType:NSSwitchButton];
    [checkbox setTitle:title];
    [checkbox setTarget:target];
    [checkbox setAction:action];
    [checkbox setState:NSControlStateValueOff];
    [checkbox sizeToFit];
    return checkbox;
}
@end

static const char accessibility_label_key = 0;

@implementation NSView (CalcCompat)
- (void)setAccessibilityLabel:(NSString*)label {
    objc_setAssociatedObject(self, &accessibility_label_key, label, OBJC_ASSOCIATION_COPY_NONATOMIC);
}

- (NSString*)accessibilityLabel {
    return objc_getAssociatedObject(self, &accessibility_label_key);
}
@end

@implementation NSApplication (CalcCompat)
- (BOOL)setActivationPolicy:(NSApplicationActivationPolicy)policy {
    return policy == NSApplicationActivationPolicyRegular;
}
@end
