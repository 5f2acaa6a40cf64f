#pragma once

#include "text/GbkText.h"

// A notice that closes by itself: title "友情提醒", an OK button, 5000 ms.
class NoticeBox {
  public:
    virtual ~NoticeBox() = default;
    virtual void show(const GbkText& text) = 0;
};
