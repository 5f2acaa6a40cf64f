#pragma once

#include <string_view>

#include "text/GbkText.h"

// Cookie text is items "name=value" joined by "; ".

// The first name=value of every "Set-Cookie" line of a raw header block, joined by "; ".
GbkText collectSetCookies(std::string_view rawHeaders);

// The text before the first "=", trimmed; the whole item trimmed without "=".
GbkText cookieName(std::string_view item);

// Keeps each piece at its first occurrence only.
GbkText removeDuplicateItems(std::string_view text, std::string_view delimiter);

// Received cookies first, then the sent ones the response did not set again; cookies set to
// "deleted" are dropped. The result also replaces `sent`.
GbkText mergeCookies(GbkText& sent, std::string_view received);
