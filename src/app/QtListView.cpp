#include "app/QtListView.h"

#include <QMetaObject>
#include <QThread>
#include <QTreeWidget>

#include "sys/QtSystem.h"

namespace {

// A list repaints often: a cell shows the start of a long text, while the whole text stays
// in the cell for reading and copying.
void putCell(QTreeWidgetItem* item, int column, const GbkText& text) {
    const QString full = toQString(text);
    const QString shown = shownText(full);
    item->setData(column, Qt::UserRole, shown.size() == full.size() ? QVariant() : QVariant(full));
    item->setText(column, shown);
}

void scrollToRow(QTreeWidget* list, int row) {
    if (QTreeWidgetItem* item = list->topLevelItem(row)) {
        list->scrollToItem(item, QAbstractItemView::EnsureVisible);
    }
}

GbkText cellOf(const QTreeWidgetItem* item, int column) {
    const QVariant full = item->data(column, Qt::UserRole);
    return fromQString(full.isValid() ? full.toString() : item->text(column));
}

}  // namespace

template <typename Result, typename Work>
Result QtListView::onWindowThread(Work work, Result whenClosed) const {
    QTreeWidget* list = list_.data();
    if (list == nullptr) return whenClosed;
    if (QThread::currentThread() == list->thread()) return work(list);
    if (closed_) return whenClosed;
    Result result = whenClosed;
    QMetaObject::invokeMethod(
        list,
        [&] {
            if (!closed_ && list_) result = work(list);
        },
        Qt::BlockingQueuedConnection);
    return result;
}

int QtListView::rowCount() const {
    return onWindowThread([](QTreeWidget* list) { return list->topLevelItemCount(); }, 0);
}

int QtListView::appendRow() {
    return onWindowThread(
        [](QTreeWidget* list) {
            new QTreeWidgetItem(list);
            return list->topLevelItemCount() - 1;
        },
        -1);
}

GbkText QtListView::cellText(int row, int column) const {
    return onWindowThread(
        [row, column](QTreeWidget* list) {
            QTreeWidgetItem* item = list->topLevelItem(row);
            if (item == nullptr || column < 0 || column >= list->columnCount()) return GbkText();
            return cellOf(item, column);
        },
        GbkText());
}

void QtListView::setCellText(int row, int column, const GbkText& text) {
    onWindowThread(
        [row, column, &text](QTreeWidget* list) {
            QTreeWidgetItem* item = list->topLevelItem(row);
            if (item != nullptr && column >= 0 && column < list->columnCount()) {
                putCell(item, column, text);
            }
            return true;
        },
        false);
}

bool QtListView::setCellTextIf(int row, int column, const GbkText& text, int guardColumn,
                               const GbkText& guardText) {
    return onWindowThread(
        [&](QTreeWidget* list) {
            QTreeWidgetItem* item = list->topLevelItem(row);
            const int columns = list->columnCount();
            if (item == nullptr || column < 0 || column >= columns || guardColumn < 0 ||
                guardColumn >= columns || cellOf(item, guardColumn) != guardText) {
                return false;
            }
            putCell(item, column, text);
            return true;
        },
        false);
}

void QtListView::deleteAllRows() {
    onWindowThread(
        [](QTreeWidget* list) {
            list->clear();
            return true;
        },
        false);
}

void QtListView::ensureRowVisible(int row) {
    QTreeWidget* list = list_.data();
    if (list == nullptr) return;
    if (QThread::currentThread() == list->thread()) {
        scrollToRow(list, row);
        return;
    }
    // Nothing comes back from scrolling, so a worker need not wait for it; it still runs in
    // order with the worker's other calls. It holds no reference to this adapter, which may
    // be gone by the time it runs.
    if (closed_) return;
    QMetaObject::invokeMethod(
        list,
        [target = QPointer<QTreeWidget>(list), row] {
            if (target != nullptr) scrollToRow(target, row);
        },
        Qt::QueuedConnection);
}

int QtListView::selectedRow() const {
    return onWindowThread(
        [](QTreeWidget* list) {
            for (int row = 0; row < list->topLevelItemCount(); ++row) {
                if (list->topLevelItem(row)->isSelected()) return row;
            }
            return -1;
        },
        -1);
}
