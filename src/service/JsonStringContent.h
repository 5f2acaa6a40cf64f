#pragma once

#include <string_view>

#include "text/GbkText.h"

// Decodes the escapes of JSON string content in program text: \/ \\ \" \b \f \n \r \t and
// \uXXXX (surrogate pairs joined, "?" for what code page 936 lacks). A backslash that starts
// no valid escape stays as it is.
GbkText decodeJsonStringContent(std::string_view text);
