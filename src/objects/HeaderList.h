#pragma once

#include <string_view>
#include <vector>

#include "text/GbkText.h"

// An ordered list of name/value pairs that yields header, query and flat JSON text. Names are
// compared byte for byte and the first match wins; copies share nothing.
class HeaderList {
  public:
    // Appends a pair; with `toUtf8` both texts are stored as their UTF-8 bytes.
    void add(std::string_view name, std::string_view value, bool toUtf8 = false);
    // Adds the pairs of "a=1&b=2": the name before the first "=", the value after the last.
    void addFromQuery(std::string_view text, bool toUtf8 = false);
    GbkText get(std::string_view name) const;
    // Replaces the first pair's value, or appends the pair.
    void set(std::string_view name, std::string_view value);
    GbkText toQueryText(bool encode = false) const;
    // "Name: value" lines joined by CR LF, none after the last.
    GbkText toHeaderText(bool encode = false) const;
    void names(std::vector<GbkText>& out) const;
    void values(std::vector<GbkText>& out) const;
    void clear();
    // Removes the first pair of that name only.
    void remove(std::string_view name);
    GbkText toJsonText() const;

    static GbkText escapeQuotes(std::string_view text);
    // Cuts one `affix` from the end, then one from the start; rewrites `text` and returns it.
    static GbkText stripAffix(GbkText& text, std::string_view affix);

    std::size_t size() const { return names_.size(); }

  private:
    long long indexOf(std::string_view name) const;

    std::vector<GbkText> names_;
    std::vector<GbkText> values_;
};

// Byte-wise %XX: with `keepUnreserved` ASCII letters, digits, "-" and "." stay; with `viaUtf8`
// the text's UTF-8 bytes are encoded instead of its code page 936 bytes.
GbkText percentEncode(std::string_view text, bool keepUnreserved, bool viaUtf8);
