// Cocoa engine: images decoded from Base64 and the embedded web view.
#import "cocoa_engine.h"
#import <WebKit/WebKit.h>

#include "facade.h"

namespace {

// Logs one fixed message; "%@" keeps it from being read as a format.
void log_line(const char* message) { NSLog(@"%@", [NSString stringWithUTF8String:message]); }

void mostra_imagem(int x, int y, int width, int height, const std::string& b64, const char* decode_failed,
                   const char* not_an_image) {
    NSString* text = [NSString stringWithUTF8String:b64.c_str()];
    NSData* data = text ? [[NSData alloc] initWithBase64EncodedString:text
                                                              options:NSDataBase64DecodingIgnoreUnknownCharacters]
                        : nil;
    if (data == nil) {
        log_line(decode_failed);
        return;
    }
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
    mostra_imagem(x, y, width, height, base64, "Erro: Falha ao decodificar Base64", nullptr);
}

void show_svg_b64(int x, int y, int width, int height, std::string base64) {
    mostra_imagem(x, y, width, height, base64, "Erro: Falha na decodificação Base64 do SVG.",
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
