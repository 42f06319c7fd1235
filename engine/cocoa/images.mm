// Cocoa engine: images decoded from Base64 and the embedded web view.
#import "cocoa_engine.h"
#import <WebKit/WebKit.h>  // on GNUstep: gnustep_compat's WKWebView, which loads nothing

#include "facade.h"

namespace {

// Logs one fixed message; "%@" keeps it from being read as a format.
void log_line(const char* message) { NSLog(@"%@", [NSString stringWithUTF8String:message]); }

void show_image(int x, int y, int width, int height, const std::string& b64, const char* decode_failed,
                const char* not_an_image) {
    NSString* text = [NSString stringWithUTF8String:b64.c_str()];
    // On GNUstep this initialiser is replaced when the program loads by
    // gnustep_compat/base64_compat.mm's, which answers nil as macOS does.
    NSData* data = text ? [[NSData alloc] initWithBase64EncodedString:text
                                                              options:NSDataBase64DecodingIgnoreUnknownCharacters]
                        : nil;
    if (data == nil) {
        log_line(decode_failed);
        return;
    }
    // On GNUstep -initWithData: is replaced when the program loads by
    // gnustep_compat/svg_image_rep.mm's: SVG through librsvg, and nil for
    // bytes that are no image, where GNUstep's own loader can block.
    NSImage* image = [[NSImage alloc] initWithData:data];
    if (image == nil) {
        if (not_an_image) log_line(not_an_image);
        return;
    }
    NSImageView* view = [[NSImageView alloc] initWithFrame:NSMakeRect(x, y, width, height)];
    [view setImage:image];
    [view setImageScaling:NSImageScaleAxesIndependently];
    add_to_window(view);
}

}  // namespace

void show_png_b64(int x, int y, int width, int height, std::string base64) {
    show_image(x, y, width, height, base64, "Erro: Falha ao decodificar Base64", nullptr);
}

void show_svg_b64(int x, int y, int width, int height, std::string base64) {
    show_image(x, y, width, height, base64, "Erro: Falha na decodificação Base64 do SVG.",
               "Erro: Os dados Base64 não formam um SVG válido.");
}

void cria_webview(std::string url, int x, int y, int width, int height) {
    WKWebViewConfiguration* configuration = [[WKWebViewConfiguration alloc] init];
    WKWebView* view = [[WKWebView alloc] initWithFrame:NSMakeRect(x, y, width, height) configuration:configuration];
    NSString* text = [NSString stringWithUTF8String:url.c_str()];
    NSURL* address = text ? [NSURL URLWithString:text] : nil;
    // A text that is no URL leaves the view empty instead of loading nothing.
    if (address != nil) [view loadRequest:[NSURLRequest requestWithURL:address]];
    add_to_window(view);
}
