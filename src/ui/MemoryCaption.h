#pragma once

#include <utility>

#include "ui/Caption.h"

// A caption held in memory, for tests and helper tools.
class MemoryCaption : public Caption {
  public:
    explicit MemoryCaption(GbkText text = {}) : text_(std::move(text)) {}
    GbkText text() const override { return text_; }
    void setText(const GbkText& text) override { text_ = text; }

  private:
    GbkText text_;
};
