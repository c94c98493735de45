#pragma once

#include <cstdint>

// The fixed colours of the window, as 0x00BBGGRR.
namespace colours {
constexpr std::uint32_t Black = 0x00000000;
constexpr std::uint32_t Red = 0x000000FF;
constexpr std::uint32_t Green = 0x0000FF00;
constexpr std::uint32_t Blue = 0x00FF0000;
constexpr std::uint32_t Purple = 0x00C000C0;
} // namespace colours
