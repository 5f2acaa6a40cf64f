#pragma once

#include <QLabel>

#include "ui/Caption.h"
#include "ui/CheckBox.h"
#include "ui/FileChooser.h"
#include "ui/MessageBoxes.h"

class QCheckBox;
class QLineEdit;
class QWidget;

// A label that reports a left-button press at once, used as a page link.
class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void leftButtonPressed();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class QtLabelCaption : public Caption {
  public:
    explicit QtLabelCaption(QLabel* label) : label_(label) {}
    GbkText text() const override;
    void setText(const GbkText& text) override;

  private:
    QLabel* label_;
};

class QtEditCaption : public Caption {
  public:
    explicit QtEditCaption(QLineEdit* edit) : edit_(edit) {}
    GbkText text() const override;
    void setText(const GbkText& text) override;

  private:
    QLineEdit* edit_;
};

class QtCheckBox : public CheckBox {
  public:
    explicit QtCheckBox(QCheckBox* box) : box_(box) {}
    bool isChecked() const override;
    void setChecked(bool checked) override;

  private:
    QCheckBox* box_;
};

// Message boxes without an owner window, caption "信息：" unless one is given.
class QtMessageBoxes : public MessageBoxes {
  public:
    void show(const GbkText& text, int type, const GbkText& title = {}) override;
};

class QtFileChooser : public FileChooser {
  public:
    explicit QtFileChooser(QWidget* owner) : owner_(owner) {}
    GbkText chooseFile(const GbkText& title, const FileFilter& filter,
                       const GbkText& initialDirectory) override;

  private:
    QWidget* owner_;
};
