#import "test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#import "cocoa_engine.h"
#include "facade.h"

NSView* last_view() { return [[[win contentView] subviews] lastObject]; }
NSUInteger view_count() { return [[[win contentView] subviews] count]; }
std::string utf8(NSString* text) { return text ? [text UTF8String] : "(nil)"; }

StderrCapture::StderrCapture() {
    char name[] = "/tmp/calc-cocoa-stderr.XXXXXX";
    int fd = mkstemp(name);
    path_ = name;
    std::fflush(stderr);
    saved_ = dup(2);
    dup2(fd, 2);
    close(fd);
}

std::string StderrCapture::text() {
    if (!done_) {
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
        std::ifstream in(path_);
        std::stringstream all;
        all << in.rdbuf();
        text_ = all.str();
        unlink(path_.c_str());
        done_ = true;
    }
    return text_;
}

StderrCapture::~StderrCapture() { text(); }

// One window for the whole run, as in the program. The filter comes from
// GTEST_FILTER: GNUstep takes a bare argument for a document to open.
int main(int argc, char** argv) {
    NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
    testing::InitGoogleTest(&argc, argv);
    cria_janela(470, 620, 200, 200);
    int result = RUN_ALL_TESTS();
    [pool release];
    return result;
}
