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

@implementation NSView (CalcCompat)
- (void)setAccessibilityLabel:(NSString*)label {
    (void)label;
}
@end

@implementation NSApplication (CalcCompat)
- (BOOL)setActivationPolicy:(NSApplicationActivationPolicy)policy {
    return policy == NSApplicationActivationPolicyRegular;
}
@end
