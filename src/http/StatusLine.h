#pragma once

#include <string_view>

// The status code of a response header block's status line ("HTTP/1.1 200 OK"), 0 when there
// is none.
int statusCodeOf(std::string_view responseHeaders);
