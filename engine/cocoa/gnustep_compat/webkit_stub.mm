#import <WebKit/WebKit.h>

@implementation WKWebViewConfiguration
@end

@implementation WKNavigation
@end

@implementation WKWebView
- (id)initWithFrame:(NSRect)frame configuration:(WKWebViewConfiguration*)configuration {
    self = [super initWithFrame:frame];
    if (self == nil) return nil;
    _configuration = [configuration retain];
    _addressLabel = [[NSTextField alloc] initWithFrame:NSMakeRect(0, 0, frame.size.width, 20)];
    [_addressLabel setEditable:NO];
    [_addressLabel setBezeled:NO];
    [_addressLabel setDrawsBackground:NO];
    [_addressLabel setAutoresizingMask:NSViewWidthSizable];
    [self addSubview:_addressLabel];
    return self;
}

- (void)dealloc {
    [_configuration release];
    [_request release];
    [_addressLabel release];
    [super dealloc];
}

- (WKNavigation*)loadRequest:(NSURLRequest*)request {
    [request retain];
    [_request release];
    _request = request;
    NSString* address = [[request URL] absoluteString];
    [_addressLabel setStringValue:address ? address : @""];
    return nil;  // no navigation ever starts
}

- (NSURL*)URL { return [_request URL]; }

- (WKWebViewConfiguration*)configuration { return _configuration; }
@end
