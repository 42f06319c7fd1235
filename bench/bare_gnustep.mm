// Baseline for the GNUstep start-up benchmark: a bare GNUstep window holding
// the same kinds and number of views as calc-cocoa's, at the same places,
// without the application core, the images or the registries.
#import <AppKit/AppKit.h>

namespace {

NSWindow* window = nil;

void add(NSView* view) { [[window contentView] addSubview:view]; }

void label(NSString* text, CGFloat size, bool bold, NSRect frame) {
    NSTextField* field = [[NSTextField alloc] initWithFrame:frame];
    [field setStringValue:text];
    [field setBezeled:NO];
    [field setDrawsBackground:NO];
    [field setEditable:NO];
    [field setSelectable:NO];
    [field setFont:bold ? [NSFont boldSystemFontOfSize:size] : [NSFont systemFontOfSize:size]];
    add(field);
}

void number(double value, NSRect frame) {
    NSTextField* field = [[NSTextField alloc] initWithFrame:frame];
    NSNumberFormatter* formatter = [[NSNumberFormatter alloc] init];
    [formatter setNumberStyle:NSNumberFormatterDecimalStyle];
    [formatter setMinimumFractionDigits:2];
    [field setFormatter:formatter];
    [field setDoubleValue:value];
    add(field);
}

}  // namespace

int main() {
    NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
    [NSApplication sharedApplication];
    window = [[NSWindow alloc] initWithContentRect:NSMakeRect(200, 200, 470, 620)
                                         styleMask:NSTitledWindowMask | NSClosableWindowMask | NSResizableWindowMask
                                           backing:NSBackingStoreBuffered
                                             defer:NO];
    [window makeKeyAndOrderFront:nil];

    label(@"Orvalento", 20, true, NSMakeRect(40, 585, 400, 30));
    label(@"Emissão Total (Ton CO₂):", 16, false, NSMakeRect(20, 535, 400, 26));
    number(365.6, NSMakeRect(20, 505, 100, 24));
    label(@"% Mensal Compensar:", 16, false, NSMakeRect(260, 535, 400, 26));
    number(8.32, NSMakeRect(260, 505, 80, 24));
    label(@"Custo Arrendamento ($/10.000m²/month):", 16, false, NSMakeRect(20, 445, 400, 26));
    number(850.22, NSMakeRect(20, 415, 150, 24));
    NSButton* check = [[NSButton alloc] initWithFrame:NSMakeRect(220, 415, 200, 20)];
    [check setButtonType:NSSwitchButton];
    [check setTitle:@"Somente arvores adultas"];
    add(check);
    NSButton* button = [[NSButton alloc] initWithFrame:NSMakeRect(130, 360, 200, 32)];
    [button setTitle:@"Calculates Compensation"];
    [button setBezelStyle:NSRoundedBezelStyle];
    add(button);
    label(@"Simulation:", 18, true, NSMakeRect(20, 325, 400, 28));
    NSScrollView* scroll = [[NSScrollView alloc] initWithFrame:NSMakeRect(20, 120, 300, 200)];
    [scroll setHasVerticalScroller:YES];
    [scroll setBorderType:NSBezelBorder];
    NSTextView* text = [[NSTextView alloc] initWithFrame:[scroll bounds]];
    [text setEditable:NO];
    [scroll setDocumentView:text];
    add(scroll);
    label(@"Parameters (Adult tree $: +10%) (Young Compensation: -30%)", 12, false, NSMakeRect(20, 50, 400, 25));

    [NSApp run];
    [pool release];
    return 0;
}
