#pragma once

#include <QTreeWidget>

// A report-style list with the mouse timing the handlers expect: a press on empty space
// clears the selection, a double-click anywhere is reported once its first click has
// selected, and a right press is reported before the list selects the pressed row.
class ReportList : public QTreeWidget {
    Q_OBJECT
  public:
    explicit ReportList(QWidget* parent = nullptr);

  signals:
    void doubleClickedAnywhere();
    void rightButtonPressed();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
