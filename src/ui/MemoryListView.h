#pragma once

#include <mutex>
#include <vector>

#include "ui/ListView.h"

// A list held in memory: the stand-in for the window's list in tests and helper tools.
class MemoryListView : public ListView {
  public:
    explicit MemoryListView(int columnCount) : columnCount_(columnCount) {}

    int rowCount() const override;
    int appendRow() override;
    GbkText cellText(int row, int column) const override;
    void setCellText(int row, int column, const GbkText& text) override;
    bool setCellTextIf(int row, int column, const GbkText& text, int guardColumn,
                       const GbkText& guardText) override;
    void deleteAllRows() override;
    void ensureRowVisible(int row) override;
    int selectedRow() const override;

    void selectRow(int row);  // -1 clears the selection
    int lastVisibleRequest() const;
    std::vector<std::vector<GbkText>> rows() const;

  private:
    bool hasRow(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }

    int columnCount_;
    mutable std::mutex mutex_;  // calls may come from the batch worker's thread
    std::vector<std::vector<GbkText>> rows_;
    int selected_ = -1;
    int lastVisible_ = -1;
};
