// The vtable slot a pointer to a virtual member function names.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

// Itanium C++ ABI, which GCC uses on Windows too: a pointer to a virtual
// member function stores 1 + the byte offset of its vtable entry. A member
// pointer's bytes cannot be read in a constant expression, hence a test.
template <typename F>
long slot_of(F member) {
    static_assert(sizeof(F) == 2 * sizeof(void*), "unexpected member pointer layout");
    std::ptrdiff_t raw[2];
    std::memcpy(raw, &member, sizeof raw);
    EXPECT_EQ(raw[0] % static_cast<std::ptrdiff_t>(sizeof(void*)), 1) << "not a virtual function";
    return static_cast<long>((raw[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*)));
}
