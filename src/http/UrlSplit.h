#pragma once

#include <optional>
#include <string_view>

#include "text/GbkText.h"

// Plain text rules, not a URL parser: the host is what stands between the first scheme text
// and the next "/", so a query or user information before that "/" stays in it.

// Host in lower case. `rootOnly` keeps the last two labels, `keepPort` the ":port", `level`
// the last level + 2 labels (level + 1 with `rootOnly`).
GbkText urlHost(std::string_view url, bool rootOnly = false, bool keepPort = false,
                std::optional<int> level = std::nullopt);

// The number after the host's last ":", else 443 for https and 80 for everything else.
int urlPort(std::string_view url);

// Path with query and fragment from the first "/" after the host, "/" when there is none.
GbkText urlPath(std::string_view url);
