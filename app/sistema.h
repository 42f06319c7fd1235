// The coordinate conventions a GeoPos converts to. Its own header so that
// the per-program values can name one without depending on GeoPos.
#pragma once

#include <cstdint>

enum Sistema : std::int32_t {
    SISTEMA_MACOS = 0,    // bottom-left origin: positions are flipped
    SISTEMA_WINDOWS = 1,  // top-left origin
    SISTEMA_LINUX = 2,    // top-left origin
    SISTEMA_NATIVO = 3,   // replaced by this program's own convention
};
