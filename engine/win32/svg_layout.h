// Where the SVG logo lands: from the pixel rectangle and the document's
// viewBox (if it has a usable one) to the viewport size, the scale and the
// offset of the Direct2D transform. Pure, so it is checked without Windows.
#pragma once

struct SvgViewBox {
    float x = 0, y = 0, width = 0, height = 0;
};

struct SvgLayout {
    float targetW, targetH;  // rectangle size in render-target units
    float vbX, vbY, vbW, vbH;  // viewBox used; the viewport is vbW x vbH
    float sx, sy;            // scale factors, independent per axis
    float tx, ty;            // translation after the scale
};

// `viewBox` is null when the root has no viewBox or it could not be read.
// A viewBox counts only with a positive width and height.
inline SvgLayout svg_layout(int left, int top, int right, int bottom, const SvgViewBox* viewBox, float divisor) {
    SvgLayout l{};
    l.targetW = static_cast<float>(right - left) / divisor;
    l.targetH = static_cast<float>(bottom - top) / divisor;
    if (viewBox && viewBox->width > 0 && viewBox->height > 0) {
        l.vbX = viewBox->x;
        l.vbY = viewBox->y;
        l.vbW = viewBox->width;
        l.vbH = viewBox->height;
    } else {
        l.vbX = l.vbY = 0;
        l.vbW = l.targetW;
        l.vbH = l.targetH;
    }
    l.sx = l.vbW > 0 ? l.targetW / l.vbW : 1.0f;
    l.sy = l.vbH > 0 ? l.targetH / l.vbH : 1.0f;
    l.tx = static_cast<float>(left) - l.vbX * l.sx;
    l.ty = static_cast<float>(top) - l.vbY * l.sy;
    return l;
}
