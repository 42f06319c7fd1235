// -[NSData initWithBase64EncodedString:options:] as macOS answers it. The
// GNUstep 1.28 version accepts unpadded text and never returns on a final
// group of one character; this one decodes RFC 4648 text in groups of four,
// skips characters outside the alphabet when asked to, and gives nil for
// anything else.
#import <Foundation/Foundation.h>

#include <objc/runtime.h>

#include <string>

namespace {

int sextet(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// False when the text is not Base64 under these options.
bool decode(NSString* text, NSUInteger options, std::string& out) {
    NSData* utf8 = [text dataUsingEncoding:NSUTF8StringEncoding];
    const unsigned char* bytes = (const unsigned char*)[utf8 bytes];
    NSUInteger length = [utf8 length];
    bool skip_unknown = (options & NSDataBase64DecodingIgnoreUnknownCharacters) != 0;
    int group[4];
    int filled = 0, pads = 0;
    for (NSUInteger i = 0; i < length; ++i) {
        unsigned char c = bytes[i];
        if (c == '=') {
            if (filled < 2) return false;  // at most two pads, after two or three characters
            ++pads;
            group[filled++] = 0;
        } else {
            int value = sextet(c);
            if (value < 0) {
                if (skip_unknown) continue;
                return false;
            }
            if (pads > 0) return false;  // nothing after the padding
            group[filled++] = value;
        }
        if (filled == 4) {
            if (pads > 2) return false;
            unsigned long bits = (unsigned long)group[0] << 18 | group[1] << 12 | group[2] << 6 | group[3];
            out.push_back((char)(bits >> 16));
            if (pads < 2) out.push_back((char)(bits >> 8 & 0xFF));
            if (pads < 1) out.push_back((char)(bits & 0xFF));
            filled = 0;
            if (pads > 0) pads = 3;  // marks the end: any further character fails
        }
    }
    return filled == 0;
}

id init_with_base64(id self, SEL cmd, NSString* text, NSUInteger options) {
    (void)cmd;
    std::string bytes;
    if (text == nil || !decode(text, options, bytes)) {
        [(NSData*)self release];
        return nil;
    }
    return [(NSData*)self initWithBytes:bytes.data() length:bytes.size()];
}

__attribute__((constructor)) void install_base64_decoder() {
    Method method = class_getInstanceMethod(objc_getClass("NSData"),
                                            sel_registerName("initWithBase64EncodedString:options:"));
    if (method) method_setImplementation(method, reinterpret_cast<IMP>(reinterpret_cast<void (*)()>(init_with_base64)));
}

}  // namespace
