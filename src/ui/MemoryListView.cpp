#include "ui/MemoryListView.h"

int MemoryListView::rowCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(rows_.size());
}

int MemoryListView::appendRow() {
    std::lock_guard lock(mutex_);
    rows_.emplace_back(static_cast<std::size_t>(columnCount_));
    return static_cast<int>(rows_.size()) - 1;
}

GbkText MemoryListView::cellText(int row, int column) const {
    std::lock_guard lock(mutex_);
    if (!hasRow(row) || column < 0 || column >= columnCount_) return {};
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void MemoryListView::setCellText(int row, int column, const GbkText& text) {
    std::lock_guard lock(mutex_);
    if (!hasRow(row) || column < 0 || column >= columnCount_) return;
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
}

bool MemoryListView::setCellTextIf(int row, int column, const GbkText& text, int guardColumn,
                                   const GbkText& guardText) {
    std::lock_guard lock(mutex_);
    if (!hasRow(row) || column < 0 || column >= columnCount_ || guardColumn < 0 ||
        guardColumn >= columnCount_) {
        return false;
    }
    std::vector<GbkText>& cells = rows_[static_cast<std::size_t>(row)];
    if (cells[static_cast<std::size_t>(guardColumn)] != guardText) return false;
    cells[static_cast<std::size_t>(column)] = text;
    return true;
}

void MemoryListView::deleteAllRows() {
    std::lock_guard lock(mutex_);
    rows_.clear();
    selected_ = -1;
}

void MemoryListView::ensureRowVisible(int row) {
    std::lock_guard lock(mutex_);
    if (hasRow(row)) lastVisible_ = row;
}

int MemoryListView::selectedRow() const {
    std::lock_guard lock(mutex_);
    return hasRow(selected_) ? selected_ : -1;
}

void MemoryListView::selectRow(int row) {
    std::lock_guard lock(mutex_);
    selected_ = hasRow(row) ? row : -1;
}

int MemoryListView::lastVisibleRequest() const {
    std::lock_guard lock(mutex_);
    return lastVisible_;
}

std::vector<std::vector<GbkText>> MemoryListView::rows() const {
    std::lock_guard lock(mutex_);
    return rows_;
}
