// What the engine tests and the contract's adapter do to a control.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring text_of(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

inline void click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
