// The two images the window shows, as Base64 text without line breaks.
#pragma once

// A 1 x 1 half-transparent red PNG, stretched into the translucent panel.
extern const char* const PANEL_PNG_B64;

// The logo, generated at build time from app/logo.svg.
extern const char* const LOGO_SVG_B64;
