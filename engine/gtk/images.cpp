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

// What an image is made from, kept with it to draw it again when the
// window's scale changes (a move to a monitor of another scale).
struct ImageSource {
    std::vector<unsigned char> bytes;
    int width, height;
    int scale;  // device pixels per logical pixel it is drawn at
};

// The picture at `scale` device pixels per logical pixel, exactly
// width x height logical pixels; null when no loader can read the bytes.
GdkPixbuf* render(const ImageSource& source, int scale) {
    // No format named: the loader recognises PNG or SVG from the bytes.
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    TargetSize target{source.width * scale, source.height * scale};
    g_signal_connect(loader, "size-prepared", G_CALLBACK(render_scalable_at_target), &target);
    gdk_pixbuf_loader_write(loader, source.bytes.data(), source.bytes.size(), nullptr);
    gdk_pixbuf_loader_close(loader, nullptr);
    GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
    // Whatever size the loader gave, the image is exactly width x height.
    GdkPixbuf* scaled =
        pixbuf ? gdk_pixbuf_scale_simple(pixbuf, target.width, target.height, GDK_INTERP_BILINEAR) : nullptr;
    g_object_unref(loader);
    return scaled;
}

// Shows a pixbuf of scale x its logical size at its logical size.
void set_picture(GtkImage* image, GdkPixbuf* pixbuf, int scale) {
    if (scale <= 1) {
        gtk_image_set_from_pixbuf(image, pixbuf);
        return;
    }
    cairo_surface_t* surface = gdk_cairo_surface_create_from_pixbuf(pixbuf, scale, nullptr);
    gtk_image_set_from_surface(image, surface);
    cairo_surface_destroy(surface);
}

void on_scale_changed(GtkWidget* image, GParamSpec*, gpointer data) {
    auto* source = static_cast<ImageSource*>(data);
    const int scale = gtk_widget_get_scale_factor(image);
    if (scale == source->scale) return;
    if (GdkPixbuf* pixbuf = render(*source, scale)) {
        set_picture(GTK_IMAGE(image), pixbuf, scale);
        g_object_unref(pixbuf);
        source->scale = scale;
    }
}

void forget_source(gpointer data, GClosure*) { delete static_cast<ImageSource*>(data); }

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
    auto* source = new ImageSource{decode_b64(base64), width, height, 1};
    // On a scaled display (GDK_SCALE=2) the picture is made at the device
    // pixels it covers and shown at width x height logical pixels, as sharp
    // as the text beside it.
    source->scale = gtk_widget_get_scale_factor(fixed_container);
    GdkPixbuf* pixbuf = source->bytes.empty() ? nullptr : render(*source, source->scale);
    if (!pixbuf) {
        delete source;
        return;
    }
    GtkWidget* image = gtk_image_new();
    set_picture(GTK_IMAGE(image), pixbuf, source->scale);
    g_object_unref(pixbuf);
    g_signal_connect_data(image, "notify::scale-factor", G_CALLBACK(on_scale_changed), source, forget_source,
                          GConnectFlags(0));
    place_widget(image, x, y);
}

void show_svg_b64(int x, int y, int width, int height, std::string base64) {
    show_png_b64(x, y, width, height, base64);
}
