#pragma once

#include "text/GbkText.h"

// The system clipboard's plain text.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void setText(const GbkText& text) = 0;
    // The text now on the clipboard, "?" for what code page 936 lacks; empty when none.
    virtual GbkText readText() const = 0;
};
