#pragma once
// A number field whose minimum follows another field's value. Changing the
// minimum never changes the value: the value is brought into range when it is
// set, stepped, or when the focus leaves the field. While the player types, the
// typed number counts as it stands (so the window size follows every key), and
// a text that is no number counts as the minimum.

#include <QSpinBox>

namespace pebble::ui {

class CfgSpinEdit : public QSpinBox {
  Q_OBJECT
 public:
  CfgSpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

  int Minimum() const { return minimum_; }
  void SetMinimum(int minimum);

  // The number shown, as typed.
  int TypedValue() const;
  // Sets the value, brought into range.
  void SetValue(int value);
  // Brings what was typed into range, as leaving the field does.
  void Commit() { SetValue(TypedValue()); }

 signals:
  // The number shown has changed: typed, stepped or set.
  void Changed();

 protected:
  void stepBy(int steps) override;
  StepEnabled stepEnabled() const override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void NoteChange();

  int minimum_;
  int lastShown_ = -1;
};

}  // namespace pebble::ui
