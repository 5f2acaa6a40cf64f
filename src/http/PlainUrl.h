#pragma once

#include <string_view>

// True for an http:// or https:// address (scheme in any letter case) with something after
// the scheme and no blank or control byte anywhere: one that can stand as one command-line
// argument or one header value without being split or reinterpreted.
bool isPlainHttpUrl(std::string_view address);
