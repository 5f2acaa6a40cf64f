#include "app/ReportList.h"

#include <QMouseEvent>

ReportList::ReportList(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
}

void ReportList::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) emit rightButtonPressed();
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()) == nullptr) {
        clearSelection();
    }
    QTreeWidget::mousePressEvent(event);
}

void ReportList::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit doubleClickedAnywhere();
}
