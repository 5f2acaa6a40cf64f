#pragma once

#include <QPointer>
#include <QTreeWidget>

#include <atomic>

#include "ui/ListView.h"

// The list operations on a QTreeWidget. Calls from other threads are carried out on the
// window's thread, one at a time, while the caller waits; after close() such calls do
// nothing and read as empty, so a worker can never wait on a window that is going away.
class QtListView : public ListView {
  public:
    explicit QtListView(QTreeWidget* list) : list_(list) {}

    int rowCount() const override;
    int appendRow() override;
    GbkText cellText(int row, int column) const override;
    void setCellText(int row, int column, const GbkText& text) override;
    bool setCellTextIf(int row, int column, const GbkText& text, int guardColumn,
                       const GbkText& guardText) override;
    void deleteAllRows() override;
    void ensureRowVisible(int row) override;
    int selectedRow() const override;

    void close() { closed_ = true; }

  private:
    template <typename Result, typename Work>
    Result onWindowThread(Work work, Result whenClosed) const;

    QPointer<QTreeWidget> list_;
    std::atomic<bool> closed_{false};
};
