#pragma once

#include <string_view>

// The script every new engine runs first: the three helper functions the member operations
// call, and a JSON serialiser that writes the program's escapes.
std::string_view scriptPrelude();
