#include "config/ui/cfg_spin_edit.h"

#include <QLineEdit>
#include <algorithm>

namespace pebble::ui {

CfgSpinEdit::CfgSpinEdit(int minimum, int maximum, QWidget* parent) : QSpinBox(parent), minimum_(minimum) {
  // The widget itself accepts every number up to the maximum, so a typed
  // number below the minimum stays until the field is left.
  setRange(0, maximum);
  setValue(minimum);
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  // Typed texts reach the line edit only; values set or stepped reach the spin box only.
  connect(lineEdit(), &QLineEdit::textChanged, this, &CfgSpinEdit::NoteChange);
  connect(this, &QSpinBox::valueChanged, this, &CfgSpinEdit::NoteChange);
}

void CfgSpinEdit::NoteChange() {
  const int typed = TypedValue();
  if (typed == lastShown_) return;
  lastShown_ = typed;
  emit Changed();
}

void CfgSpinEdit::SetMinimum(int minimum) {
  minimum_ = std::clamp(minimum, 0, maximum());
  update();  // the down arrow may change
}

int CfgSpinEdit::TypedValue() const {
  bool ok = false;
  const int typed = lineEdit()->text().trimmed().toInt(&ok);
  return ok ? typed : minimum_;
}

void CfgSpinEdit::SetValue(int value) {
  const int clamped = std::clamp(value, minimum_, maximum());
  setValue(clamped);
  // The widget keeps its own value while a typed text is pending; the text must follow too.
  const QString shown = textFromValue(clamped);
  if (lineEdit()->text() != shown) lineEdit()->setText(shown);
}

void CfgSpinEdit::stepBy(int steps) {
  SetValue(TypedValue() + steps * singleStep());
  selectAll();
}

QAbstractSpinBox::StepEnabled CfgSpinEdit::stepEnabled() const {
  StepEnabled enabled = StepNone;
  const int typed = TypedValue();
  if (typed < maximum()) enabled |= StepUpEnabled;
  if (typed > minimum_) enabled |= StepDownEnabled;
  return enabled;
}

void CfgSpinEdit::focusOutEvent(QFocusEvent* event) {
  const int typed = TypedValue();
  QSpinBox::focusOutEvent(event);
  SetValue(typed);
}

}  // namespace pebble::ui
