#pragma once

#include <string_view>

// The closing piece of every template that hands text out of the engine: each backslash
// placeholder (U+2400) becomes one backslash again.
inline constexpr std::string_view kPlaceholdersBack = ".replace(str_reg, '\\\\')";
