// Helpers shared by the Cocoa engine tests.
#pragma once

#import <AppKit/AppKit.h>

#include <string>

// The view most recently added to the main window.
NSView* last_view();
// How many views the main window holds.
NSUInteger view_count();
std::string utf8(NSString* text);

// Collects what is written to standard error (where NSLog writes) while it
// lives.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    std::string text();  // stops capturing on first use

private:
    int saved_ = -1;
    std::string path_;
    bool done_ = false;
    std::string text_;
};
