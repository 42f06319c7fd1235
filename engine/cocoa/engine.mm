// Cocoa engine: window, controls, registries and run loop. Manual reference
// counting; nothing the engine creates is ever released. The GNUstep build
// force-includes gnustep_compat/gnustep_compat.h into this file: it declares
// the label, button and checkbox constructors, setAccessibilityLabel: and
// setActivationPolicy: that GNUstep lacks (objc_setAssociatedObject comes
// with <objc/runtime.h>, on GNUstep from gnustep_compat/include).
#import "cocoa_engine.h"

#include <objc/runtime.h>

#include <algorithm>
#include <clocale>
#include <vector>

#include "caption_rule.h"
#include "controller.h"
#include "facade.h"

NSWindow* win = nil;
std::map<int, NSTextField*> txts;
std::map<int, NSButton*> checks;

// Only its address matters: the key that ties a Proxy to its button.
static NSString* const p_key = @"p_key";

// What is being typed lives in the window's field editor until editing
// ends; a press reads the inputs, so the typed value is committed to its
// field first. The field keeps the focus.
static void commit_typing(NSWindow* window) {
    NSResponder* responder = [window firstResponder];
    if (![responder isKindOfClass:[NSText class]] || ![(NSText*)responder isFieldEditor]) return;
    id edited = [(NSText*)responder delegate];
    if ([edited isKindOfClass:[NSControl class]]) [(NSControl*)edited validateEditing];
}

@implementation Proxy
- (Controller*)ctrl {
    return _ctrl;
}

- (void)setCtrl:(Controller*)ctrl {
    _ctrl = ctrl;
}

- (void)clicou:(id)sender {
    Controller* controller = [self ctrl];
    if (controller == nullptr) return;
    commit_typing([sender window]);
    const char* title = [[sender title] UTF8String];
    std::string label = title ? title : "";
    controller->aoClicarNoBotao(label);
}
@end

@implementation AppDelegate
- (BOOL)applicationShouldTerminateAfterLastWindowClosed:(NSApplication*)sender {
    (void)sender;
    return YES;
}
@end

namespace {

NSString* ns_string(const std::string& text) {
    NSString* s = [NSString stringWithUTF8String:text.c_str()];
    return s ? s : @"";  // invalid UTF-8 shows as empty text
}

std::string std_string(NSString* s) {
    const char* utf8 = [s UTF8String];
    return utf8 ? utf8 : "";
}

// Every text written on the window, by the place of its bottom edge (y
// negated: the caption rule's axis grows downwards).
std::vector<TextPlace> text_places;
std::vector<NSTextField*> text_labels;

// What the key view loop visits, in creation order: the reading order.
std::vector<NSView*> key_views;

// The caption written just above `control` names it for VoiceOver.
void name_after_caption(NSView* control, NSRect frame) {
    int i = caption_above(text_places, (int)frame.origin.x, -(int)(frame.origin.y + frame.size.height));
    if (i >= 0) [control setAccessibilityLabel:[text_labels[i] stringValue]];
}

void add_to_key_view_loop(NSView* view) {
    if (!key_views.empty()) [key_views.back() setNextKeyView:view];
    key_views.push_back(view);
    [view setNextKeyView:key_views.front()];
}

// The window opens ready to type into its first input.
NSTextField* first_input = nil;
void focus_if_first_input(NSTextField* field) {
    if (first_input != nil) return;
    first_input = field;
    [win setInitialFirstResponder:field];
    [win makeFirstResponder:field];
}

NSView* lookup(int id) {
    std::map<int, NSTextField*>::const_iterator it = txts.find(id);
    return it == txts.end() ? nil : (NSView*)it->second;
}

// Digits with grouping marks only between groups of three: "1", "1\x01234".
bool grouped_digits(const std::string& part) {
    size_t run = 0, groups = 0;
    for (char c : part) {
        if (c == '\x01') {
            if (run == 0 || run > 3 || (groups > 0 && run != 3)) return false;
            ++groups;
            run = 0;
        } else if (c >= '0' && c <= '9') {
            ++run;
        } else {
            return false;
        }
    }
    return run > 0 && (groups == 0 || run == 3);
}

// The number in `shown` as the C library reads numbers: the formatter's
// grouping separators dropped, its decimal separator replaced by the one of
// LC_NUMERIC, every digit kept as shown. nil when `shown` is not a plain
// number as this formatter writes them.
NSString* c_number(NSString* shown, NSNumberFormatter* formatter) {
    NSMutableString* text = [NSMutableString stringWithString:
        [shown stringByTrimmingCharactersInSet:[NSCharacterSet whitespaceCharacterSet]]];
    NSString* decimal = [formatter decimalSeparator];
    NSString* grouping = [formatter groupingSeparator];
    NSString* minus = [formatter minusSign];
    if ([grouping length] > 0 && ![grouping isEqualToString:decimal])
        [text replaceOccurrencesOfString:grouping withString:@"\x01" options:0 range:NSMakeRange(0, [text length])];
    if ([decimal length] > 0)
        [text replaceOccurrencesOfString:decimal withString:@"." options:0 range:NSMakeRange(0, [text length])];
    if ([minus length] > 0)
        [text replaceOccurrencesOfString:minus withString:@"-" options:0 range:NSMakeRange(0, [text length])];

    const char* utf8 = [text UTF8String];
    if (utf8 == nullptr) return nil;
    std::string number = utf8;
    std::string sign = number.compare(0, 1, "-") == 0 ? "-" : "";
    number.erase(0, sign.size());
    size_t point = number.find('.');
    std::string whole = number.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : number.substr(point + 1);
    if (!grouped_digits(whole)) return nil;
    if (fraction.find_first_not_of("0123456789") != std::string::npos) return nil;
    whole.erase(std::remove(whole.begin(), whole.end(), '\x01'), whole.end());

    std::string result = sign + whole;
    if (point != std::string::npos) {
        const char* c_point = std::localeconv()->decimal_point;
        result += (c_point && *c_point ? c_point : ".") + fraction;
    }
    return [NSString stringWithUTF8String:result.c_str()];
}

}  // namespace

void add_to_window(NSView* view) { [[win contentView] addSubview:view]; }

std::string widget_text(NSView* widget) {
    if ([widget isKindOfClass:[NSTextView class]]) return std_string([(NSTextView*)widget string]);
    if (![widget isKindOfClass:[NSTextField class]]) return "";
    NSTextField* field = (NSTextField*)widget;
    NSString* shown = [field stringValue];
    NSFormatter* formatter = [field formatter];
    // Text the formatter refused stays on screen in the field editor while
    // the field keeps its last number: the report takes what the user sees,
    // never a number no longer shown.
    NSText* editor = [field currentEditor];
    id parsed = nil;
    if (editor != nil && formatter != nil &&
        ![formatter getObjectValue:&parsed forString:[editor string] errorDescription:NULL])
        shown = [editor string];
    if ([formatter isKindOfClass:[NSNumberFormatter class]]) {
        NSString* plain = c_number(shown, (NSNumberFormatter*)formatter);
        if (plain != nil) return std_string(plain);
    }
    return std_string(shown);
}

void cria_janela(int width, int height, int x, int y) {
    // The core builds the window before any event loop runs, with no pool of
    // its own: this one takes what the building autoreleases, for good.
    static NSAutoreleasePool* building_pool = [[NSAutoreleasePool alloc] init];
    (void)building_pool;
    [NSApplication sharedApplication];
    [NSApp setActivationPolicy:NSApplicationActivationPolicyRegular];
    static AppDelegate* delegate = [[AppDelegate alloc] init];
    [NSApp setDelegate:delegate];
    NSWindowStyleMask style = NSWindowStyleMaskTitled | NSWindowStyleMaskClosable | NSWindowStyleMaskResizable;
    win = [[NSWindow alloc] initWithContentRect:NSMakeRect(x, y, width, height)
                                      styleMask:style
                                        backing:NSBackingStoreBuffered
                                          defer:NO];
    first_input = nil;  // the new window's first input takes the focus
    [win makeKeyAndOrderFront:nil];
}

void escreve_texto(std::string text, int size, int x, int y, bool bold) {
    NSTextField* label = [NSTextField labelWithString:ns_string(text)];
    [label setFont:bold ? [NSFont boldSystemFontOfSize:size] : [NSFont systemFontOfSize:size]];
    [label setFrame:NSMakeRect(x, y, 400, size + 10)];
    add_to_window(label);
    text_places.push_back({x, -y});
    text_labels.push_back(label);
}

int cria_campo_saida(int x, int y, int width, int id) {
    NSTextField* label = [NSTextField labelWithString:@"---"];
    [label setFrame:NSMakeRect(x, y, width, 25)];
    add_to_window(label);
    txts[id] = label;
    return id;
}

int cria_texto_saida(int x, int y, int width, int height, int id) {
    NSScrollView* scroll = [[NSScrollView alloc] initWithFrame:NSMakeRect(x, y, width, height)];
    [scroll setHasVerticalScroller:YES];
    [scroll setBorderType:NSBezelBorder];
    // The visible part, inside the border and beside the scroller: lines
    // wrap where they can still be read.
    NSSize visible = [scroll contentSize];
    NSTextView* text = [[NSTextView alloc] initWithFrame:NSMakeRect(0, 0, visible.width, visible.height)];
    [text setEditable:NO];
    [text setSelectable:YES];
    [text setVerticallyResizable:YES];
    [text setHorizontallyResizable:NO];
    [text setAutoresizingMask:NSViewWidthSizable];
    [scroll setDocumentView:text];
    add_to_window(scroll);
    txts[id] = (NSTextField*)text;
    name_after_caption(text, [scroll frame]);
    add_to_key_view_loop(text);
    return id;
}

void cria_input(int x, int y, int width, int id, std::string text) {
    NSTextField* field = [[NSTextField alloc] initWithFrame:NSMakeRect(x, y, width, 24)];
    add_to_window(field);
    [field setStringValue:ns_string(text)];
    txts[id] = field;
    name_after_caption(field, [field frame]);
    add_to_key_view_loop(field);
    focus_if_first_input(field);
}

void cria_input_numerico(int x, int y, int width, int id, double value) {
    NSTextField* field = [[NSTextField alloc] initWithFrame:NSMakeRect(x, y, width, 24)];
    NSNumberFormatter* formatter = [[NSNumberFormatter alloc] init];
    [formatter setNumberStyle:NSNumberFormatterDecimalStyle];
    [formatter setMinimumFractionDigits:2];
    [field setFormatter:formatter];
    [field setDoubleValue:value];
    add_to_window(field);
    txts[id] = field;
    name_after_caption(field, [field frame]);
    add_to_key_view_loop(field);
    focus_if_first_input(field);
}

void atualiza_texto(int id, std::string text) {
    NSView* widget = lookup(id);
    if ([widget isKindOfClass:[NSTextView class]])
        [(NSTextView*)widget setString:ns_string(text)];
    else if ([widget isKindOfClass:[NSTextField class]])
        [(NSTextField*)widget setStringValue:ns_string(text)];
}

std::string pega_input(int id) {
    NSView* widget = lookup(id);
    return widget ? widget_text(widget) : std::string();
}

void cria_checkbox(std::string label, int x, int y, int id) {
    NSButton* checkbox = [NSButton checkboxWithTitle:ns_string(label) target:nil action:nullptr];
    [checkbox setFrame:NSMakeRect(x, y, 200, 20)];
    add_to_window(checkbox);
    checks[id] = checkbox;
    add_to_key_view_loop(checkbox);
}

bool verifica_checkbox(int id) {
    std::map<int, NSButton*>::const_iterator it = checks.find(id);
    return it != checks.end() && [it->second state] == NSControlStateValueOn;
}

void cria_botao(std::string label, int x, int y, int width, Controller* controller) {
    Proxy* target = [[Proxy alloc] init];
    [target setCtrl:controller];
    NSButton* button = [NSButton buttonWithTitle:ns_string(label) target:target action:@selector(clicou:)];
    [button setFrame:NSMakeRect(x, y, width, 32)];
    // A button does not retain its target: the association keeps it alive.
    objc_setAssociatedObject(button, (const void*)p_key, target, OBJC_ASSOCIATION_RETAIN_NONATOMIC);
    [button setKeyEquivalent:@"\r"];  // Return anywhere in the window presses it
    add_to_window(button);
    add_to_key_view_loop(button);
}

std::string plataforma() { return "MAC OS"; }

void executa_app() {
    // macOS 14 replaced activateIgnoringOtherApps:, whose argument it ignores,
    // by -activate; older systems and GNUstep have only the former.
    if ([NSApp respondsToSelector:@selector(activate)]) {
        [NSApp performSelector:@selector(activate)];
    } else {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        [NSApp activateIgnoringOtherApps:YES];
#pragma GCC diagnostic pop
    }
    [NSApp run];
}
