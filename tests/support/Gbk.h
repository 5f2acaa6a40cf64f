#pragma once

#include <string_view>

#include "text/GbkText.h"

// Test literals are written as UTF-8 and turned into program text here.
GbkText G(std::string_view utf8);
