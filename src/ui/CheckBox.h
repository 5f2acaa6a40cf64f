#pragma once

// A check box's state; setting it raises no clicked event.
class CheckBox {
  public:
    virtual ~CheckBox() = default;
    virtual bool isChecked() const = 0;
    virtual void setChecked(bool checked) = 0;
};
