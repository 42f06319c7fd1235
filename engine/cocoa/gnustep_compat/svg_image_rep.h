// An image representation that reads SVG through librsvg, so that
// -[NSImage initWithData:] reads SVG documents as it does on macOS.
#pragma once

#import <AppKit/AppKit.h>

@interface CompatSVGImageRep : NSImageRep {
    void* _handle;  // RsvgHandle*
    double _width;  // the document's own size in pixels
    double _height;
    NSBitmapImageRep* _raster;  // last rasterisation, reused while the size holds
}
+ (BOOL)canInitWithData:(NSData*)data;
+ (id)imageRepWithData:(NSData*)data;
- (id)initWithData:(NSData*)data;
// Renders the document stretched to `pixels` (each axis on its own).
- (NSBitmapImageRep*)rasterOfSize:(NSSize)pixels;
@end
