#pragma once

#include <optional>
#include <string_view>

#include "text/GbkText.h"

// The text between the first `leftDelimiter` (searched from `start`) and the next
// `rightDelimiter` after it; empty when either is missing. "#引号" in a delimiter stands for
// a double quote.
GbkText textBetween(std::string_view text, std::string_view leftDelimiter,
                    std::string_view rightDelimiter, TextPos start = 0,
                    bool caseInsensitive = false);

// The text in front of `delimiter`; empty when it is missing. `start` 0 or positive searches
// forwards from there, -1 backwards over the whole text, -n leaves the last n bytes out of a
// backward search.
GbkText textLeftOf(std::string_view text, std::string_view delimiter, TextPos start = 0,
                   bool caseInsensitive = false);
