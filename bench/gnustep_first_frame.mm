// Start-up probe for GNUstep programs, linked beside a program's own main:
// once the application has finished launching, a timer checks whether every
// visible window has displayed all its views, flushes them to the X server,
// prints the CLOCK_MONOTONIC time and ends the process at once. The program
// itself is unchanged. On macOS the line carries no time (the reader's
// monotonic clock need not be CLOCK_MONOTONIC there): it is timed on arrival.
#import <AppKit/AppKit.h>

#include <cstdio>
#include <ctime>

#include <unistd.h>

@interface CalcFirstFrameProbe : NSObject
@end

@implementation CalcFirstFrameProbe

+ (void)load {
    NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
    [[NSNotificationCenter defaultCenter] addObserver:self
                                             selector:@selector(launched:)
                                                 name:NSApplicationDidFinishLaunchingNotification
                                               object:nil];
    [pool release];
}

+ (void)launched:(NSNotification*)note {
    (void)note;
    [NSTimer scheduledTimerWithTimeInterval:0.001 target:self selector:@selector(check:) userInfo:nil repeats:YES];
}

+ (void)check:(NSTimer*)timer {
    (void)timer;
    NSArray* windows = [NSApp windows];
    BOOL any = NO;
    for (NSUInteger i = 0; i < [windows count]; ++i) {
        NSWindow* window = [windows objectAtIndex:i];
        if (![window isVisible]) continue;
        if ([window viewsNeedDisplay]) return;
        any = YES;
    }
    if (!any) return;
    for (NSUInteger i = 0; i < [windows count]; ++i)
        if ([[windows objectAtIndex:i] isVisible]) [[windows objectAtIndex:i] flushWindow];
#ifdef __APPLE__
    std::printf("first-frame\n");
#else
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("first-frame-ns %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
#endif
    std::fflush(stdout);
    _exit(0);
}

@end
