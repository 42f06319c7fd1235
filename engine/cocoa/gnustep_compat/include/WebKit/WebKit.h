// A stand-in for WebKit on GNUstep, which has none: a plain view that keeps
// the request it was asked to load and shows its address. Nothing is fetched.
#pragma once

#import <AppKit/AppKit.h>

@interface WKWebViewConfiguration : NSObject
@end

@interface WKNavigation : NSObject
@end

@interface WKWebView : NSView {
    WKWebViewConfiguration* _configuration;
    NSURLRequest* _request;
    NSTextField* _addressLabel;
}
- (id)initWithFrame:(NSRect)frame configuration:(WKWebViewConfiguration*)configuration;
- (WKNavigation*)loadRequest:(NSURLRequest*)request;
- (NSURL*)URL;
- (WKWebViewConfiguration*)configuration;
@end
