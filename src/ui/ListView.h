#pragma once

#include "text/GbkText.h"

// A report-style list as the handlers see it. Rows and columns count from 0; the window's
// adapter carries out calls from other threads on the window's thread, one at a time.
class ListView {
  public:
    virtual ~ListView() = default;

    virtual int rowCount() const = 0;
    // Index of a new row with empty cells after the last row.
    virtual int appendRow() = 0;
    // Empty when the row or the column does not exist.
    virtual GbkText cellText(int row, int column) const = 0;
    // No effect when the row does not exist.
    virtual void setCellText(int row, int column, const GbkText& text) = 0;
    // One operation: writes the cell only when the row's `guardColumn` still holds
    // `guardText`, so no other call can come between the check and the write. True when
    // written.
    virtual bool setCellTextIf(int row, int column, const GbkText& text, int guardColumn,
                               const GbkText& guardText) = 0;
    virtual void deleteAllRows() = 0;
    virtual void ensureRowVisible(int row) = 0;
    // First selected row in row order, -1 when none is.
    virtual int selectedRow() const = 0;
};
