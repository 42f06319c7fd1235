// GTK engine images: Base64 text to bytes, bytes to a pixbuf through
// GdkPixbuf's loaders (PNG and SVG alike), scaled to the asked size.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtk/gtk.h>

#include "facade.h"
#include "gtk_engine.h"

namespace {

struct TargetSize {
    int width, height;
};

// A scalable format (the SVG logo) is rendered straight at the size it is
// shown at: rasterising it at its natural size first costs far more time
// and memory for the same picture.
void render_scalable_at_target(GdkPixbufLoader* loader, int, int, gpointer data) {
    GdkPixbufFormat* format = gdk_pixbuf_loader_get_format(loader);
    if (format && gdk_pixbuf_format_is_scalable(format)) {
        const auto* target = static_cast<const TargetSize*>(data);
        gdk_pixbuf_loader_set_size(loader, target->width, target->height);
    }
}

// A pixbuf of scale x its logical size, shown at its logical size.
GtkWidget* image_at_scale(GdkPixbuf* pixbuf, int scale) {
    if (scale <= 1) return gtk_image_new_from_pixbuf(pixbuf);
    cairo_surface_t* surface = gdk_cairo_surface_create_from_pixbuf(pixbuf, scale, nullptr);
    GtkWidget* image = gtk_image_new_from_surface(surface);
    cairo_surface_destroy(surface);
    return image;
}

}  // namespace

std::vector<unsigned char> decode_b64(const std::string& text) {
    gsize length = 0;
    guchar* data = g_base64_decode(text.c_str(), &length);
    if (!data) return {};
    std::vector<unsigned char> bytes(data, data + length);
    g_free(data);
    return bytes;
}

void show_png_b64(int x, int y, int width, int height, std::string base64) {
    if (width <= 0 || height <= 0) return;  // nothing to scale to
    std::vector<unsigned char> bytes = decode_b64(base64);
    if (bytes.empty()) return;

    // On a scaled display (GDK_SCALE=2) the picture is made at the device
    // pixels it covers and shown at width x height logical pixels, as sharp
    // as the text beside it.
    const int scale = gtk_widget_get_scale_factor(fixed_container);

    // No format named: the loader recognises PNG or SVG from the bytes.
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    TargetSize target{width * scale, height * scale};
    g_signal_connect(loader, "size-prepared", G_CALLBACK(render_scalable_at_target), &target);
    gdk_pixbuf_loader_write(loader, bytes.data(), bytes.size(), nullptr);
    gdk_pixbuf_loader_close(loader, nullptr);
    if (GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader)) {
        // Whatever size the loader gave, the image is exactly width x height.
        GdkPixbuf* scaled = gdk_pixbuf_scale_simple(pixbuf, target.width, target.height, GDK_INTERP_BILINEAR);
        if (scaled) {
            place_widget(image_at_scale(scaled, scale), x, y);
            g_object_unref(scaled);
        }
    }
    g_object_unref(loader);
}

void show_svg_b64(int x, int y, int width, int height, std::string base64) {
    show_png_b64(x, y, width, height, base64);
}
