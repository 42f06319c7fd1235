// SVG for NSImage on GNUstep, through librsvg and cairo; and the loader fixes
// that make -[NSImage initWithData:] answer as on macOS (nil, quietly, for
// empty or unreadable bytes, where GNUstep's ImageMagick path can block).
#import "svg_image_rep.h"

#include <librsvg/rsvg.h>
#include <objc/runtime.h>

#include <cmath>
#include <cstring>

namespace {

// librsvg is only asked about bytes that open like an XML document.
bool looks_like_xml(NSData* data) {
    const unsigned char* bytes = (const unsigned char*)[data bytes];
    NSUInteger length = [data length];
    NSUInteger i = 0;
    if (length >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) i = 3;
    while (i < length && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) ++i;
    return i < length && bytes[i] == '<';
}

RsvgHandle* open_svg(NSData* data) {
    if (!looks_like_xml(data)) return nullptr;
    GError* error = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_data((const guint8*)[data bytes], [data length], &error);
    if (error) g_error_free(error);
    return handle;
}

void document_size(RsvgHandle* handle, double* width, double* height) {
    rsvg_handle_set_dpi(handle, 96.0);
    gboolean has_width = FALSE, has_height = FALSE, has_viewbox = FALSE;
    RsvgLength w, h;
    RsvgRectangle viewbox;
    rsvg_handle_get_intrinsic_dimensions(handle, &has_width, &w, &has_height, &h, &has_viewbox, &viewbox);
    if (rsvg_handle_get_intrinsic_size_in_pixels(handle, width, height) && *width > 0 && *height > 0) return;
    if (has_viewbox && viewbox.width > 0 && viewbox.height > 0) {
        *width = viewbox.width;
        *height = viewbox.height;
        return;
    }
    *width = *height = 100.0;
}

bool has_raster_signature(NSData* data) {
    static const unsigned char png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    static const unsigned char jpeg[] = {0xFF, 0xD8, 0xFF};
    const unsigned char* bytes = (const unsigned char*)[data bytes];
    NSUInteger length = [data length];
    if (length >= sizeof png && std::memcmp(bytes, png, sizeof png) == 0) return true;
    if (length >= sizeof jpeg && std::memcmp(bytes, jpeg, sizeof jpeg) == 0) return true;
    if (length >= 6 && (std::memcmp(bytes, "GIF87a", 6) == 0 || std::memcmp(bytes, "GIF89a", 6) == 0)) return true;
    if (length >= 4 && (std::memcmp(bytes, "II*\0", 4) == 0 || std::memcmp(bytes, "MM\0*", 4) == 0)) return true;
    return false;
}

typedef id (*InitWithData)(id, SEL, NSData*);
InitWithData original_init_with_data = nullptr;

id image_init_with_data(id self, SEL cmd, NSData* data) {
    // The representation gives nil for what is no SVG: one parse, no probe first.
    if ([data length] > 0) {
        CompatSVGImageRep* rep = [[CompatSVGImageRep alloc] initWithData:data];
        if (rep != nil) {
            self = [(NSImage*)self initWithSize:[rep size]];
            [(NSImage*)self addRepresentation:rep];
            [rep release];
            return self;
        }
    }
    if ([data length] == 0 || !has_raster_signature(data)) {
        [(NSImage*)self release];
        return nil;
    }
    return original_init_with_data(self, cmd, data);
}

__attribute__((constructor)) void install_image_loader() {
    Class image = objc_getClass("NSImage");
    Method method = class_getInstanceMethod(image, sel_registerName("initWithData:"));
    if (method) original_init_with_data = (InitWithData)method_setImplementation(method, reinterpret_cast<IMP>(reinterpret_cast<void (*)()>(image_init_with_data)));
}

}  // namespace

@implementation CompatSVGImageRep

+ (void)load {
    NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
    [NSImageRep registerImageRepClass:self];
    [pool release];
}

+ (NSArray*)imageUnfilteredTypes { return [NSArray arrayWithObject:@"public.svg-image"]; }
+ (NSArray*)imageUnfilteredFileTypes { return [NSArray arrayWithObject:@"svg"]; }

+ (BOOL)canInitWithData:(NSData*)data {
    RsvgHandle* handle = open_svg(data);
    if (handle == nullptr) return NO;
    g_object_unref(handle);
    return YES;
}

+ (id)imageRepWithData:(NSData*)data { return [[[self alloc] initWithData:data] autorelease]; }

- (id)initWithData:(NSData*)data {
    self = [super init];
    if (self == nil) return nil;
    RsvgHandle* handle = open_svg(data);
    if (handle == nullptr) {
        [self release];
        return nil;
    }
    _handle = handle;
    document_size(handle, &_width, &_height);
    [self setSize:NSMakeSize(_width, _height)];
    [self setPixelsWide:(NSInteger)std::ceil(_width)];
    [self setPixelsHigh:(NSInteger)std::ceil(_height)];
    [self setAlpha:YES];
    [self setBitsPerSample:8];
    [self setOpaque:NO];
    [self setColorSpaceName:NSCalibratedRGBColorSpace];
    return self;
}

- (void)dealloc {
    if (_handle) g_object_unref((RsvgHandle*)_handle);
    [_raster release];
    [super dealloc];
}

- (NSBitmapImageRep*)rasterOfSize:(NSSize)pixels {
    NSInteger wide = (NSInteger)std::ceil(pixels.width), high = (NSInteger)std::ceil(pixels.height);
    if (wide <= 0 || high <= 0) return nil;
    if (_raster && [_raster pixelsWide] == wide && [_raster pixelsHigh] == high) return _raster;

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, (int)wide, (int)high);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, wide / _width, high / _height);
    RsvgRectangle viewport = {0, 0, _width, _height};
    rsvg_handle_render_document((RsvgHandle*)_handle, cr, &viewport, nullptr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    NSBitmapImageRep* raster = [[NSBitmapImageRep alloc] initWithBitmapDataPlanes:NULL
                                                                       pixelsWide:wide
                                                                       pixelsHigh:high
                                                                    bitsPerSample:8
                                                                  samplesPerPixel:4
                                                                         hasAlpha:YES
                                                                         isPlanar:NO
                                                                   colorSpaceName:NSCalibratedRGBColorSpace
                                                                      bytesPerRow:wide * 4
                                                                     bitsPerPixel:32];
    // cairo keeps premultiplied native-endian ARGB words; the bitmap wants
    // premultiplied R, G, B, A bytes.
    const unsigned char* source = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    unsigned char* target = [raster bitmapData];
    for (NSInteger row = 0; row < high; ++row) {
        const uint32_t* in = (const uint32_t*)(source + row * stride);
        unsigned char* out = target + row * wide * 4;
        for (NSInteger col = 0; col < wide; ++col) {
            uint32_t argb = in[col];
            out[col * 4 + 0] = (argb >> 16) & 0xFF;
            out[col * 4 + 1] = (argb >> 8) & 0xFF;
            out[col * 4 + 2] = argb & 0xFF;
            out[col * 4 + 3] = (argb >> 24) & 0xFF;
        }
    }
    cairo_surface_destroy(surface);
    [_raster release];
    _raster = raster;
    return _raster;
}

- (BOOL)draw {
    return [self drawInRect:NSMakeRect(0, 0, [self size].width, [self size].height)];
}

- (BOOL)drawInRect:(NSRect)rect {
    NSBitmapImageRep* raster = [self rasterOfSize:rect.size];
    return raster ? [raster drawInRect:rect] : NO;
}

@end
