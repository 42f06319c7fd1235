// The GNUstep compatibility layer answers as the macOS calls it stands for.
#import <AppKit/AppKit.h>
#import "gnustep_compat.h"
#import "svg_image_rep.h"

#include <objc/runtime.h>
#import "test_support.h"

#include <gtest/gtest.h>

#include <string>

#include "images.h"

@interface DeallocProbe : NSObject {
@public
    bool* gone;
}
@end

@implementation DeallocProbe
- (void)dealloc {
    *gone = true;
    [super dealloc];
}
@end

namespace {

NSData* decode(const char* text, NSUInteger options = NSDataBase64DecodingIgnoreUnknownCharacters) {
    return [[[NSData alloc] initWithBase64EncodedString:[NSString stringWithUTF8String:text] options:options] autorelease];
}

std::string bytes(NSData* data) { return std::string((const char*)[data bytes], [data length]); }

TEST(CompatBase64, DecodesGroupsOfFourAndSkipsForeignCharacters) {
    EXPECT_EQ(bytes(decode("aGVsbG8=")), "hello");
    EXPECT_EQ(bytes(decode("aGVs\r\nbG8=")), "hello");
    EXPECT_EQ(bytes(decode(" a G V s b A = = ")), "hell");
    EXPECT_EQ(bytes(decode("aGVsbG8h")), "hello!");
    NSData* empty = decode("");
    ASSERT_TRUE(empty != nil);
    EXPECT_EQ([empty length], 0u);
}

TEST(CompatBase64, RejectsWhatIsNotWholeGroups) {
    EXPECT_TRUE(decode("a") == nil);          // a final group of one (GNUstep's own never returns)
    EXPECT_TRUE(decode("aGVsbG8") == nil);    // unpadded
    EXPECT_TRUE(decode("aGVsbG8=aGVs") == nil);  // data after the padding
    EXPECT_TRUE(decode("a===") == nil);
    EXPECT_TRUE(decode("aGVs\nbG8=", 0) == nil);  // a line break without the option
    EXPECT_EQ(bytes(decode("aGVsbG8=", 0)), "hello");
}

TEST(CompatAssociatedObjects, RetainsUntilReplacedOrTheOwnerGoes) {
    static const char key = 0;
    bool value_gone = false, second_gone = false;
    NSObject* owner = [[NSObject alloc] init];
    DeallocProbe* value = [[DeallocProbe alloc] init];
    value->gone = &value_gone;
    objc_setAssociatedObject(owner, &key, value, OBJC_ASSOCIATION_RETAIN_NONATOMIC);
    [value release];
    EXPECT_FALSE(value_gone);
    EXPECT_EQ(objc_getAssociatedObject(owner, &key), value);

    DeallocProbe* second = [[DeallocProbe alloc] init];
    second->gone = &second_gone;
    objc_setAssociatedObject(owner, &key, second, OBJC_ASSOCIATION_RETAIN_NONATOMIC);
    [second release];
    EXPECT_TRUE(value_gone);  // replaced: released
    EXPECT_FALSE(second_gone);

    [owner release];
    EXPECT_TRUE(second_gone);  // the owner took it along
}

TEST(CompatAssociatedObjects, AssignKeepsNoReferenceAndNilClears) {
    static const char key = 0;
    bool gone = false;
    NSObject* owner = [[NSObject alloc] init];
    DeallocProbe* value = [[DeallocProbe alloc] init];
    value->gone = &gone;
    objc_setAssociatedObject(owner, &key, value, OBJC_ASSOCIATION_ASSIGN);
    EXPECT_EQ(objc_getAssociatedObject(owner, &key), value);
    objc_setAssociatedObject(owner, &key, nil, OBJC_ASSOCIATION_ASSIGN);
    EXPECT_TRUE(objc_getAssociatedObject(owner, &key) == nil);
    EXPECT_FALSE(gone);
    [value release];
    EXPECT_TRUE(gone);
    [owner release];
}

TEST(CompatAppKit, LabelButtonAndCheckboxConstructors) {
    NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
    NSTextField* label = [NSTextField labelWithString:@"rótulo"];
    EXPECT_EQ(utf8([label stringValue]), "rótulo");
    EXPECT_FALSE([label isEditable]);
    EXPECT_FALSE([label isSelectable]);
    EXPECT_FALSE([label isBezeled]);
    EXPECT_FALSE([label drawsBackground]);

    NSObject* target = [[[NSObject alloc] init] autorelease];
    NSButton* button = [NSButton buttonWithTitle:@"Ok" target:target action:@selector(description)];
    EXPECT_EQ(utf8([button title]), "Ok");
    EXPECT_EQ([button target], target);
    EXPECT_TRUE(sel_isEqual([button action], @selector(description)));

    NSButton* box = [NSButton checkboxWithTitle:@"Caixa" target:nil action:nullptr];
    EXPECT_EQ([box state], NSControlStateValueOff);
    [box performClick:nil];
    EXPECT_EQ([box state], NSControlStateValueOn);

    EXPECT_TRUE([NSApp setActivationPolicy:NSApplicationActivationPolicyRegular]);
    [pool release];
}

TEST(CompatImages, UnreadableBytesGiveNoImageQuickly) {
    NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
    EXPECT_TRUE([[[NSImage alloc] initWithData:[NSData data]] autorelease] == nil);
    NSData* text = [@"just some words" dataUsingEncoding:NSUTF8StringEncoding];
    EXPECT_TRUE([[[NSImage alloc] initWithData:text] autorelease] == nil);
    NSData* xml = [@"<?xml version=\"1.0\"?><note>no drawing</note>" dataUsingEncoding:NSUTF8StringEncoding];
    EXPECT_TRUE([[[NSImage alloc] initWithData:xml] autorelease] == nil);
    [pool release];
}

TEST(CompatImages, SvgRastersStretchedToTheAskedSize) {
    NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
    NSData* svg = [[[NSData alloc] initWithBase64EncodedString:[NSString stringWithUTF8String:LOGO_SVG_B64]
                                                       options:NSDataBase64DecodingIgnoreUnknownCharacters]
        autorelease];
    ASSERT_TRUE([CompatSVGImageRep canInitWithData:svg]);
    CompatSVGImageRep* rep = [CompatSVGImageRep imageRepWithData:svg];
    ASSERT_TRUE(rep != nil);
    NSBitmapImageRep* wide = [rep rasterOfSize:NSMakeSize(200, 50)];
    EXPECT_EQ([wide pixelsWide], 200);
    EXPECT_EQ([wide pixelsHigh], 50);
    // The logo's ring crosses the middle row: something is drawn there.
    const unsigned char* data = [wide bitmapData];
    int opaque = 0;
    for (int x = 0; x < 200; ++x) opaque += data[(25 * 200 + x) * 4 + 3] > 0;
    EXPECT_GT(opaque, 0);

    NSImage* image = [[[NSImage alloc] initWithData:svg] autorelease];
    ASSERT_TRUE(image != nil);
    EXPECT_TRUE([[[image representations] lastObject] isKindOfClass:[CompatSVGImageRep class]]);
    [pool release];
}

}  // namespace
