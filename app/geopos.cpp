#include "geopos.h"

#include <cstdint>

#include "program_values.h"

GeoPos::GeoPos(int altura, Sistema sistema)
    : sistema(sistema == SISTEMA_NATIVO ? PROGRAM.native : sistema), altura(altura) {}

int GeoPos::x(int x) { return x; }

int GeoPos::y(int y, int height) {
    if (sistema != SISTEMA_MACOS) return y;
    // 32-bit arithmetic that wraps instead of overflowing; nothing clamps.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(altura) - static_cast<std::uint32_t>(y) -
                                     static_cast<std::uint32_t>(height));
}
