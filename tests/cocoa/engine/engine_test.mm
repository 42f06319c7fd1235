// The Cocoa engine against real AppKit classes (GNUstep under Xvfb): frames,
// text dispatch, button targets, checkboxes, images and logs.
#import "cocoa_engine.h"
#import "test_support.h"
#import <WebKit/WebKit.h>

#include <gtest/gtest.h>
#include <objc/runtime.h>

#include <algorithm>
#include <clocale>
#include <string>

#include "facade.h"
#include "images.h"
#include "recording_controller.h"

namespace {

void expect_frame(NSView* view, double x, double y, double w, double h) {
    NSRect frame = [view frame];
    EXPECT_EQ(frame.origin.x, x);
    EXPECT_EQ(frame.origin.y, y);
    EXPECT_EQ(frame.size.width, w);
    EXPECT_EQ(frame.size.height, h);
}

NSButton* make_button(const std::string& label, Controller* controller) {
    cria_botao(label, 130, 360, 200, controller);
    return (NSButton*)last_view();
}

// Each creating call on this engine: the frame it is given, with the
// engine's own heights, fonts and kinds of view. Where the View puts each
// control is tests/core/view_test.cpp's.
TEST(Layout, LabelsUseTheSystemFontAndAFrameOfSizePlusTen) {
    escreve_texto("Emissão Total (Ton CO₂):", 16, 20, 535, false);
    NSTextField* label = (NSTextField*)last_view();
    ASSERT_TRUE([label isKindOfClass:[NSTextField class]]);
    expect_frame(label, 20, 535, 400, 26);
    EXPECT_EQ(utf8([label stringValue]), "Emissão Total (Ton CO₂):");
    EXPECT_FALSE([label isEditable]);
    EXPECT_FALSE([label isSelectable]);
    EXPECT_EQ([[label font] pointSize], 16);
    EXPECT_TRUE([[[label font] fontName] isEqualToString:[[NSFont systemFontOfSize:16] fontName]]);

    escreve_texto("Orvalento", 20, 40, 585, true);
    NSTextField* heading = (NSTextField*)last_view();
    expect_frame(heading, 40, 585, 400, 30);
    EXPECT_TRUE([[[heading font] fontName] isEqualToString:[[NSFont boldSystemFontOfSize:20] fontName]]);
}

TEST(Layout, NumericInputShowsTwoFractionDigitsAndReadsBackAsShown) {
    cria_input_numerico(20, 505, 100, 10, 365.6);
    NSTextField* field = (NSTextField*)last_view();
    expect_frame(field, 20, 505, 100, 24);
    EXPECT_TRUE([field isEditable]);
    EXPECT_EQ(txts[10], field);
    NSNumberFormatter* formatter = (NSNumberFormatter*)[field formatter];
    ASSERT_TRUE([formatter isKindOfClass:[NSNumberFormatter class]]);
    EXPECT_EQ([formatter numberStyle], NSNumberFormatterDecimalStyle);
    EXPECT_EQ([formatter minimumFractionDigits], 2u);
    EXPECT_EQ(utf8([field stringValue]), "365.60");
    EXPECT_EQ(pega_input(10), "365.60");

    cria_input_numerico(20, 415, 150, 12, 1000);
    EXPECT_EQ(pega_input(12), "1000.00");
    // Text set through atualiza_texto is kept as given; what is no number
    // reads back unchanged.
    atualiza_texto(12, "abc");
    EXPECT_EQ(pega_input(12), "abc");

    // Typed text the formatter refuses is read as it is shown, not as the
    // number the field held before.
    atualiza_texto(12, "1000");
    ASSERT_TRUE([[field window] makeFirstResponder:txts[12]]);
    NSText* editor = [txts[12] currentEditor];
    ASSERT_NE(editor, nil);
    [editor setString:@"abc"];
    [txts[12] validateEditing];
    EXPECT_EQ(pega_input(12), "abc");
    [editor setString:@"42"];
    [txts[12] validateEditing];
    EXPECT_EQ(pega_input(12), "42.00");
    [[field window] makeFirstResponder:nil];
}

TEST(Layout, FreeTextInputIsAnEditableFieldShowingItsText) {
    cria_input(20, 300, 120, 13, "olá");
    NSTextField* field = (NSTextField*)last_view();
    expect_frame(field, 20, 300, 120, 24);
    EXPECT_TRUE([field isEditable]);
    EXPECT_EQ(pega_input(13), "olá");
}

TEST(Layout, CheckboxStartsOffAndOnlyOnCountsAsChecked) {
    cria_checkbox("Somente arvores adultas", 220, 415, 20);
    NSButton* box = (NSButton*)last_view();
    expect_frame(box, 220, 415, 200, 20);
    EXPECT_EQ(checks[20], box);
    EXPECT_EQ(utf8([box title]), "Somente arvores adultas");
    EXPECT_FALSE(verifica_checkbox(20));
    [box performClick:nil];  // as the user ticks it
    EXPECT_TRUE(verifica_checkbox(20));
    [box setAllowsMixedState:YES];
    [box setState:NSControlStateValueMixed];
    EXPECT_FALSE(verifica_checkbox(20));
    [box setState:NSControlStateValueOff];
    EXPECT_FALSE(verifica_checkbox(20));
}

TEST(Layout, ButtonHasItsFrameAndAProxyHoldingItsController) {
    Controller controller;
    NSButton* button = make_button("Calculates Compensation", &controller);
    expect_frame(button, 130, 360, 200, 32);
    EXPECT_EQ(utf8([button title]), "Calculates Compensation");
    Proxy* proxy = (Proxy*)[button target];
    ASSERT_TRUE([proxy isKindOfClass:[Proxy class]]);
    EXPECT_EQ([proxy ctrl], &controller);
    EXPECT_TRUE(sel_isEqual([button action], @selector(clicou:)));
    [button setTarget:nil];  // the proxy must not outlive this controller
}

TEST(Layout, OutputAreaIsAReadOnlyTextViewInABorderedScrollView) {
    EXPECT_EQ(cria_texto_saida(20, 120, 300, 200, 500), 500);
    NSScrollView* scroll = (NSScrollView*)last_view();
    ASSERT_TRUE([scroll isKindOfClass:[NSScrollView class]]);
    expect_frame(scroll, 20, 120, 300, 200);
    EXPECT_TRUE([scroll hasVerticalScroller]);
    EXPECT_EQ([scroll borderType], NSBezelBorder);
    NSTextView* text = (NSTextView*)[scroll documentView];
    ASSERT_TRUE([text isKindOfClass:[NSTextView class]]);
    EXPECT_EQ((NSView*)txts[500], text);
    EXPECT_FALSE([text isEditable]);
    EXPECT_TRUE([text isSelectable]);
    EXPECT_EQ(utf8([text string]), "");
    // No part of a line hides under the scroller or the border.
    EXPECT_LE([text frame].size.width, [scroll contentSize].width);

    atualiza_texto(500, "first\n\nlast: 1.5\n");
    EXPECT_EQ(utf8([text string]), "first\n\nlast: 1.5\n");
    atualiza_texto(500, "second\n");
    EXPECT_EQ(utf8([text string]), "second\n");
    EXPECT_EQ(pega_input(500), "second\n");
}

TEST(Layout, OutputFieldStartsWithDashesAndTakesNewText) {
    EXPECT_EQ(cria_campo_saida(20, 50, 400, 501), 501);
    NSTextField* field = (NSTextField*)last_view();
    expect_frame(field, 20, 50, 400, 25);
    EXPECT_FALSE([field isEditable]);
    EXPECT_EQ(pega_input(501), "---");
    atualiza_texto(501, "Parameters (Adult tree $: +10%) (Young Compensation: -30%)");
    EXPECT_EQ(utf8([field stringValue]), "Parameters (Adult tree $: +10%) (Young Compensation: -30%)");
}

TEST(Platform, NameIsMacOs) { EXPECT_EQ(plataforma(), "MAC OS"); }

// Image functions: what they add and what they log.
std::string with_breaks_every_76(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); i += 76) out += text.substr(i, 76) + "\r\n";
    return out;
}

int count_lines_with(const std::string& log, const std::string& message) {
    int count = 0;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        std::string line = log.substr(start, end - start);
        if (line.size() >= message.size() && line.compare(line.size() - message.size(), message.size(), message) == 0)
            ++count;
        start = end + 1;
    }
    return count;
}

NSImageView* expect_image_view(NSUInteger before, double x, double y, double w, double h) {
    EXPECT_EQ(view_count(), before + 1);
    NSImageView* view = (NSImageView*)last_view();
    EXPECT_TRUE([view isKindOfClass:[NSImageView class]]);
    expect_frame(view, x, y, w, h);
    EXPECT_EQ([view imageScaling], NSImageScaleAxesIndependently);
    EXPECT_TRUE([view image] != nil);
    return view;
}

const char* const PNG_DECODE = "Erro: Falha ao decodificar Base64";
const char* const SVG_DECODE = "Erro: Falha na decodificação Base64 do SVG.";
const char* const SVG_INVALID = "Erro: Os dados Base64 não formam um SVG válido.";

TEST(Images, PanelPngAndLogoSvgFillTheirFramesSilently) {
    StderrCapture log;
    NSUInteger before = view_count();
    show_png_b64(250, 490, 190, 80, PANEL_PNG_B64);
    expect_image_view(before, 250, 490, 190, 80);
    show_svg_b64(345, 170, 100, 100, LOGO_SVG_B64);
    NSImageView* logo = expect_image_view(before + 1, 345, 170, 100, 100);
    EXPECT_GT([[logo image] size].width, 0);
    EXPECT_EQ(log.text(), "");
}

TEST(Images, LineBrokenBase64ShowsTheSameImage) {
    show_svg_b64(0, 0, 50, 50, LOGO_SVG_B64);
    NSSize plain = [[(NSImageView*)last_view() image] size];
    NSUInteger before = view_count();
    show_svg_b64(0, 0, 50, 50, with_breaks_every_76(LOGO_SVG_B64));
    NSImageView* broken = expect_image_view(before, 0, 0, 50, 50);
    EXPECT_EQ([[broken image] size].width, plain.width);
    EXPECT_EQ([[broken image] size].height, plain.height);
}

TEST(Images, TheFormatComesFromTheBytesNotTheFunction) {
    StderrCapture log;
    NSUInteger before = view_count();
    show_svg_b64(1, 2, 30, 40, PANEL_PNG_B64);
    expect_image_view(before, 1, 2, 30, 40);
    show_png_b64(5, 6, 70, 80, LOGO_SVG_B64);
    expect_image_view(before + 1, 5, 6, 70, 80);
    EXPECT_EQ(log.text(), "");
}

TEST(Images, TextThatIsNoImageAddsNothingAndOnlyTheSvgCallLogs) {
    const std::string text = "SGVsbG8sIG11bmRvIQ==";  // "Hello, mundo!"
    for (const std::string& b64 : {text, std::string()}) {
        NSUInteger before = view_count();
        StderrCapture png_log;
        show_png_b64(0, 0, 10, 10, b64);
        EXPECT_EQ(png_log.text(), "");
        StderrCapture svg_log;
        show_svg_b64(0, 0, 10, 10, b64);
        std::string logged = svg_log.text();
        EXPECT_EQ(count_lines_with(logged, SVG_INVALID), 1) << logged;
        EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 1) << logged;
        EXPECT_EQ(view_count(), before);
    }
}

TEST(Images, TruncatedBase64LogsTheDecodeMessageOfEachFunction) {
    const std::string truncated = std::string(PANEL_PNG_B64) + "A";  // a final group of one
    NSUInteger before = view_count();
    StderrCapture png_log;
    show_png_b64(0, 0, 10, 10, truncated);
    std::string png_text = png_log.text();
    StderrCapture svg_log;
    show_svg_b64(0, 0, 10, 10, "PHN2Zz48L3N2Zz4=P");
    std::string svg_text = svg_log.text();
    EXPECT_EQ(count_lines_with(png_text, PNG_DECODE), 1) << png_text;
    EXPECT_EQ(std::count(png_text.begin(), png_text.end(), '\n'), 1);
    EXPECT_EQ(count_lines_with(svg_text, SVG_DECODE), 1) << svg_text;
    EXPECT_EQ(count_lines_with(svg_text, SVG_INVALID), 0);
    EXPECT_EQ(view_count(), before);
}

TEST(Images, InvalidUtf8IsTreatedAsUndecodable) {
    StderrCapture log;
    NSUInteger before = view_count();
    show_png_b64(0, 0, 10, 10, "\xff\xfe");
    EXPECT_EQ(count_lines_with(log.text(), PNG_DECODE), 1);
    EXPECT_EQ(view_count(), before);
}

TEST(WebView, IsPlacedAtItsFrameWithTheRequestedAddress) {
    cria_webview("https://example.org/pagina?x=1", 10, 20, 300, 200);
    WKWebView* web = (WKWebView*)last_view();
    ASSERT_TRUE([web isKindOfClass:[WKWebView class]]);
    expect_frame(web, 10, 20, 300, 200);
    EXPECT_EQ(utf8([[web URL] absoluteString]), "https://example.org/pagina?x=1");

    NSUInteger before = view_count();
    cria_webview("not a url at all %%", 0, 0, 10, 10);  // loads nothing, still placed
    EXPECT_EQ(view_count(), before + 1);
}

// Numbers under a locale: the field shows the locale's digits, pega_input
// gives what std::stod in the C numeric locale reads as the same number.
TEST(PtBr, NumericInputShowsCommaAndReadsBackForTheCore) {
    cria_input_numerico(20, 505, 80, 60, 8.32);
    EXPECT_EQ(utf8([(NSTextField*)last_view() stringValue]), "8,32");
    EXPECT_EQ(pega_input(60), "8.32");
    EXPECT_DOUBLE_EQ(std::stod(pega_input(60)), 8.32);

    cria_input_numerico(20, 505, 80, 61, 1234.5);
    EXPECT_EQ(utf8([(NSTextField*)last_view() stringValue]), "1.234,50");
    EXPECT_EQ(pega_input(61), "1234.50");
}

TEST(PtBr, ReadBackFollowsTheProcessNumericLocale) {
    cria_input_numerico(20, 505, 80, 62, 8.32);
    const char* saved = std::setlocale(LC_NUMERIC, nullptr);
    std::string restore = saved ? saved : "C";
    ASSERT_TRUE(std::setlocale(LC_NUMERIC, "pt_BR.UTF-8"));
    EXPECT_EQ(pega_input(62), "8,32");
    EXPECT_DOUBLE_EQ(std::stod(pega_input(62)), 8.32);
    std::setlocale(LC_NUMERIC, restore.c_str());
}

TEST(PtBr, TextThatIsNoNumberOfTheLocaleReadsBackUnchanged) {
    cria_input_numerico(20, 505, 80, 63, 1);
    NSTextField* field = (NSTextField*)last_view();
    for (const char* text : {"8.32", "1.23,4", "-", "1.234.5678", "x1"}) {
        atualiza_texto(63, text);
        EXPECT_EQ(utf8([field stringValue]), text);
        EXPECT_EQ(pega_input(63), text);
    }
    atualiza_texto(63, "-12.345.678,9");
    EXPECT_EQ(utf8([field stringValue]), "-12.345.678,90");
    EXPECT_EQ(pega_input(63), "-12345678.90");
}

TEST(EnUs, GroupingIsDroppedOnReadBack) {
    cria_input_numerico(20, 505, 80, 70, 1234.5);
    EXPECT_EQ(utf8([(NSTextField*)last_view() stringValue]), "1,234.50");
    EXPECT_EQ(pega_input(70), "1234.50");
    cria_input_numerico(20, 505, 80, 71, 365.6);
    EXPECT_EQ(pega_input(71), "365.60");
}

}  // namespace
