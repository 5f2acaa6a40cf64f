#include "app/QtListView.h"

#include <QMetaObject>
#include <QThread>
#include <QTreeWidget>

#include "sys/QtSystem.h"

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
            return fromQString(item->text(column));
        },
        GbkText());
}

void QtListView::setCellText(int row, int column, const GbkText& text) {
    onWindowThread(
        [row, column, &text](QTreeWidget* list) {
            QTreeWidgetItem* item = list->topLevelItem(row);
            if (item != nullptr && column >= 0 && column < list->columnCount()) {
                item->setText(column, toQString(text));
            }
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
    onWindowThread(
        [row](QTreeWidget* list) {
            if (QTreeWidgetItem* item = list->topLevelItem(row)) {
                list->scrollToItem(item, QAbstractItemView::EnsureVisible);
            }
            return true;
        },
        false);
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
