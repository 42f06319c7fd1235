// Images: Base64 to bytes, bytes to a pixbuf scaled to exactly the asked
// size, and nothing at all when either step fails.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "facade.h"
#include "gtk_engine.h"
#include "images.h"
#include "support.h"

#include <gdk/gdkx.h>  // after gtest: X11 defines None and Bool

using namespace gtktest;

namespace {

using Rgba = std::array<int, 4>;

std::string base64_of(const std::string& bytes) {
    gchar* text = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
    std::string result = text;
    g_free(text);
    return result;
}

std::string with_line_breaks(const std::string& text, size_t every) {
    std::string result;
    for (size_t i = 0; i < text.size(); i += every) result += text.substr(i, every) + "\r\n";
    return result;
}

// The pixbuf of the image that the last call added, or null when it added
// no widget.
GdkPixbuf* added_pixbuf(size_t widgets_before) {
    std::vector<GtkWidget*> all = children();
    if (all.size() != widgets_before + 1) return nullptr;
    if (!GTK_IS_IMAGE(all.back())) return nullptr;
    return gtk_image_get_pixbuf(GTK_IMAGE(all.back()));
}

Rgba pixel(GdkPixbuf* pixbuf, int x, int y) {
    const guchar* p = gdk_pixbuf_read_pixels(pixbuf) + y * gdk_pixbuf_get_rowstride(pixbuf) +
                      x * gdk_pixbuf_get_n_channels(pixbuf);
    return {p[0], p[1], p[2], gdk_pixbuf_get_has_alpha(pixbuf) ? p[3] : 255};
}

bool near(const Rgba& a, const Rgba& b, int tolerance) {
    for (int i = 0; i < 4; ++i)
        if (std::abs(a[i] - b[i]) > tolerance) return false;
    return true;
}

std::string pixels_of(GdkPixbuf* pixbuf) {
    const guchar* data = gdk_pixbuf_read_pixels(pixbuf);
    return std::string(reinterpret_cast<const char*>(data), gdk_pixbuf_get_byte_length(pixbuf));
}

// The process's peak resident memory so far (VmHWM), in KiB.
long peak_resident_kib() {
    long kib = -1;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::strncmp(line, "VmHWM:", 6) == 0) kib = std::strtol(line + 6, nullptr, 10);
        std::fclose(f);
    }
    return kib;
}

const Rgba BACKGROUND{0x8f, 0xa1, 0xa6, 255};
const Rgba EMBLEM{0x06, 0x59, 0x02, 255};

}  // namespace

TEST_F(EngineTest, OnePixelPngFillsTheWholeRectangleWithItsColourAndOpacity) {
    const size_t before = children().size();
    show_png_b64(280, 50, 230, 80, PANEL_PNG_B64);
    GdkPixbuf* pixbuf = added_pixbuf(before);
    ASSERT_NE(pixbuf, nullptr);
    EXPECT_EQ(position(last_child()), std::make_pair(280, 50));
    EXPECT_TRUE(gtk_widget_get_visible(last_child()));
    ASSERT_EQ(gdk_pixbuf_get_width(pixbuf), 230);
    ASSERT_EQ(gdk_pixbuf_get_height(pixbuf), 80);
    ASSERT_TRUE(gdk_pixbuf_get_has_alpha(pixbuf));
    int off = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 230; ++x)
            if (pixel(pixbuf, x, y) != Rgba{255, 0, 0, 127}) ++off;
    EXPECT_EQ(off, 0) << "pixels not half-transparent red";
}

TEST_F(EngineTest, SvgLogoIsRasterisedToExactlyTheAskedSizeInItsColours) {
    const size_t before = children().size();
    show_svg_b64(345, 350, 100, 100, LOGO_SVG_B64);
    GdkPixbuf* pixbuf = added_pixbuf(before);
    ASSERT_NE(pixbuf, nullptr) << "no SVG loader for GdkPixbuf (librsvg2-common)?";
    EXPECT_EQ(position(last_child()), std::make_pair(345, 350));
    ASSERT_EQ(gdk_pixbuf_get_width(pixbuf), 100);
    ASSERT_EQ(gdk_pixbuf_get_height(pixbuf), 100);

    // The rounded square reaches the edges; its corners stay transparent.
    EXPECT_EQ(pixel(pixbuf, 0, 0)[3], 0);
    EXPECT_EQ(pixel(pixbuf, 99, 99)[3], 0);
    EXPECT_TRUE(near(pixel(pixbuf, 50, 1), BACKGROUND, 2));
    EXPECT_TRUE(near(pixel(pixbuf, 1, 50), BACKGROUND, 2));
    // The emblem's ring crosses the vertical middle line near the top.
    EXPECT_TRUE(near(pixel(pixbuf, 50, 8), EMBLEM, 2));

    int background = 0, emblem = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            if (near(pixel(pixbuf, x, y), BACKGROUND, 2)) ++background;
            if (near(pixel(pixbuf, x, y), EMBLEM, 2)) ++emblem;
        }
    EXPECT_GT(background, 2000);
    EXPECT_GT(emblem, 1000);
}

// Scalable images are rendered straight at the shown size: a tiny, a wide or
// a huge declared canvas (60000 px, 40 m) is filled edge to edge, and the
// huge ones never pass through a raster of their natural size (gigabytes).
TEST_F(EngineTest, SvgIsScaledToTheRectangleWhateverSizeItDeclares) {
    for (const char* size : {"width='7' height='7'", "width='900mm' height='900mm'", "width='50' height='20'",
                             "width='60000' height='60000'", "width='2000mm' height='40000mm'"}) {
        SCOPED_TRACE(size);
        const std::string svg = std::string("<svg xmlns='http://www.w3.org/2000/svg' ") + size +
                                " viewBox='0 0 10 10'><rect width='10' height='10' fill='#065902'/></svg>";
        const size_t before = children().size();
        const long peak_before = peak_resident_kib();
        show_svg_b64(0, 0, 100, 60, base64_of(svg));
        GdkPixbuf* pixbuf = added_pixbuf(before);
        ASSERT_NE(pixbuf, nullptr);
        EXPECT_EQ(gdk_pixbuf_get_width(pixbuf), 100);
        EXPECT_EQ(gdk_pixbuf_get_height(pixbuf), 60);
        EXPECT_TRUE(near(pixel(pixbuf, 50, 30), EMBLEM, 2));
        EXPECT_LT(peak_resident_kib() - peak_before, 64 * 1024);
    }
}

TEST_F(EngineTest, LineBrokenBase64GivesTheSameImage) {
    for (const char* image : {PANEL_PNG_B64, LOGO_SVG_B64}) {
        size_t before = children().size();
        show_png_b64(0, 0, 100, 100, image);
        GdkPixbuf* plain = added_pixbuf(before);
        before = children().size();
        show_png_b64(0, 0, 100, 100, with_line_breaks(image, 76));
        GdkPixbuf* broken = added_pixbuf(before);
        ASSERT_NE(plain, nullptr);
        ASSERT_NE(broken, nullptr);
        EXPECT_EQ(pixels_of(plain), pixels_of(broken));
    }
}

TEST_F(EngineTest, DecodeB64FollowsGlibRules) {
    using Bytes = std::vector<unsigned char>;
    EXPECT_EQ(decode_b64(""), Bytes{});
    EXPECT_EQ(decode_b64("!!!!"), Bytes{});
    EXPECT_EQ(decode_b64("aGVsbG8="), (Bytes{'h', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(decode_b64("aGVs\nbG8=\n"), (Bytes{'h', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(decode_b64("aGVsbG"), (Bytes{'h', 'e', 'l'}));  // incomplete final group
    EXPECT_EQ(decode_b64(PANEL_PNG_B64).size(), 70u);
}

TEST_F(EngineTest, NothingDecodableOrNoImageAddsNoWidget) {
    const size_t before = children().size();
    const std::string png(reinterpret_cast<const char*>(decode_b64(PANEL_PNG_B64).data()), 70);
    for (const std::string& text : {std::string(), std::string("!!!!"), std::string("===="),
                                    base64_of("plain text, no image"), base64_of("<svg broken"),
                                    base64_of(png.substr(0, 8))}) {
        SCOPED_TRACE(text);
        show_png_b64(0, 0, 230, 80, text);
        show_svg_b64(0, 0, 100, 100, text);
        EXPECT_EQ(children().size(), before);
    }
}

TEST_F(EngineTest, EmptyRectangleAddsNoWidget) {
    const size_t before = children().size();
    show_png_b64(0, 0, 0, 80, PANEL_PNG_B64);
    show_png_b64(0, 0, 230, -1, PANEL_PNG_B64);
    show_svg_b64(0, 0, -100, 100, LOGO_SVG_B64);
    EXPECT_EQ(children().size(), before);
}

TEST_F(EngineTest, EachCallAddsAnotherImageOnTop) {
    const size_t before = children().size();
    show_png_b64(280, 50, 230, 80, PANEL_PNG_B64);
    show_png_b64(280, 50, 230, 80, PANEL_PNG_B64);
    std::vector<GtkWidget*> all = children();
    ASSERT_EQ(all.size(), before + 2);
    EXPECT_NE(all[before], all[before + 1]);
    EXPECT_EQ(position(all[before]), position(all[before + 1]));
}

// LeakSanitizer's switches, present only in a sanitizer build.
extern "C" void __lsan_disable() __attribute__((weak));
extern "C" void __lsan_enable() __attribute__((weak));

TEST_F(EngineTest, LogoIsDrawnAgainWhenTheWindowsScaleChanges) {
    show_svg_b64(345, 350, 100, 100, LOGO_SVG_B64);
    GtkWidget* image = last_child();
    if (__lsan_disable) __lsan_disable();  // GDK drops the list of windows it rescales unfreed
    gdk_x11_display_set_window_scale(gdk_display_get_default(), 2);  // as on a move to a 200 % monitor
    if (__lsan_enable) __lsan_enable();
    for (int i = 0; i < 300 && gtk_image_get_storage_type(GTK_IMAGE(image)) != GTK_IMAGE_SURFACE; ++i, g_usleep(10000))
        while (gtk_events_pending()) gtk_main_iteration();
    ASSERT_EQ(gtk_image_get_storage_type(GTK_IMAGE(image)), GTK_IMAGE_SURFACE);
    cairo_surface_t* surface = nullptr;
    g_object_get(image, "surface", &surface, nullptr);
    EXPECT_EQ(cairo_image_surface_get_width(surface), 200);  // device pixels, shown at 100 x 100
    cairo_surface_destroy(surface);
}
