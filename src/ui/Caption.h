#pragma once

#include "text/GbkText.h"

// The caption of a label, or the text of an edit box.
class Caption {
  public:
    virtual ~Caption() = default;
    virtual GbkText text() const = 0;
    virtual void setText(const GbkText& text) = 0;
};
