#pragma once

#include <cstdint>

// Every flag of the program is a 16-bit value: true has all bits set, false is zero, and no other
// value is ever stored, so a test for true and a test for non-zero agree.
using Flag = std::int16_t;

inline constexpr Flag FlagTrue = -1;
inline constexpr Flag FlagFalse = 0;

constexpr Flag ToFlag(bool value)
{
    return value ? FlagTrue : FlagFalse;
}
