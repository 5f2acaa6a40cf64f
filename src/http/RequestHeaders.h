#pragma once

#include <string_view>

#include "http/HttpMethod.h"
#include "text/GbkText.h"

// Header text is lines "Name: value" joined by CR LF, none after the last line.

inline constexpr std::string_view kDefaultUserAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// Upper-cases the first byte when it is an ASCII lower-case letter.
GbkText capitalizeFirst(std::string_view text);

// Drops lines without ":" and capitalises each "-"-separated piece of every name.
GbkText normalizeHeaderNames(std::string_view headers);

// The User-Agent value of the header text, else the default agent.
GbkText chooseUserAgent(std::string_view headers);

// The text after the first ":", trimmed; empty without a colon.
GbkText valueAfterFirstColon(std::string_view text);

// Adds the Accept, Referer, Accept-Language (and for POST Content-Type) lines that are missing.
GbkText completeRequestHeaders(std::string_view headers, std::string_view url, HttpMethod method);

// Adds the Cookie line for a non-empty cookie text, or the text itself when it holds "Cookie:".
GbkText appendCookieHeader(std::string_view headers, std::string_view cookies);
