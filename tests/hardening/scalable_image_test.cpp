// Images whose declared size is far from the size they are shown at: the
// engine renders scalable ones straight at the shown size, so a document
// that declares a huge canvas neither fails nor needs gigabytes on the way.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "facade.h"
#include "gtk_engine.h"

namespace {

long peak_resident_kib() {
    long kib = -1;
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return -1;
    char line[256];
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmHWM:", 6) == 0) kib = std::strtol(line + 6, nullptr, 10);
    std::fclose(f);
    return kib;
}

std::string svg_base64(const char* size_attributes) {
    const std::string svg = std::string("<svg xmlns='http://www.w3.org/2000/svg' ") + size_attributes +
                            " viewBox='0 0 10 10'><rect width='10' height='10' fill='#065902'/></svg>";
    gchar* b64 = g_base64_encode(reinterpret_cast<const guchar*>(svg.data()), svg.size());
    std::string out = b64;
    g_free(b64);
    return out;
}

GdkPixbuf* last_image_pixbuf() {
    GList* children = gtk_container_get_children(GTK_CONTAINER(fixed_container));
    GList* last = g_list_last(children);
    GtkWidget* widget = last ? GTK_WIDGET(last->data) : nullptr;
    g_list_free(children);
    return GTK_IS_IMAGE(widget) ? gtk_image_get_pixbuf(GTK_IMAGE(widget)) : nullptr;
}

class ScalableImage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { cria_janela(495, 620, 0, 0); }
};

TEST_F(ScalableImage, HugeDeclaredCanvasIsShownAtTheAskedSizeWithoutAHugeRaster) {
    for (const char* size : {"width='60000' height='60000'", "width='2000mm' height='40000mm'"}) {
        SCOPED_TRACE(size);
        const long peak_before = peak_resident_kib();
        show_svg_b64(10, 20, 100, 60, svg_base64(size));
        GdkPixbuf* pixbuf = last_image_pixbuf();
        ASSERT_NE(pixbuf, nullptr) << "nothing shown";
        EXPECT_EQ(gdk_pixbuf_get_width(pixbuf), 100);
        EXPECT_EQ(gdk_pixbuf_get_height(pixbuf), 60);
        const guchar* centre = gdk_pixbuf_get_pixels(pixbuf) + 30 * gdk_pixbuf_get_rowstride(pixbuf) +
                               50 * gdk_pixbuf_get_n_channels(pixbuf);
        EXPECT_NEAR(centre[0], 0x06, 2);
        EXPECT_NEAR(centre[1], 0x59, 2);
        EXPECT_NEAR(centre[2], 0x02, 2);
        // Rendering at the natural size first would need gigabytes.
        EXPECT_LT(peak_resident_kib() - peak_before, 64 * 1024);
    }
}

}  // namespace
