#pragma once

#include "text/GbkText.h"

// Modal message boxes with an OK button and no owner window.
class MessageBoxes {
  public:
    static constexpr int kNoIcon = 0;
    static constexpr int kExclamation = 48;
    static constexpr int kInformation = 64;

    virtual ~MessageBoxes() = default;
    // `title` empty means the caption "信息：".
    virtual void show(const GbkText& text, int type, const GbkText& title = {}) = 0;
};
