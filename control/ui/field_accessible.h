#pragma once
// The field as assistive technology sees it: a focusable picture (a graphic:
// readers leave out name changes of a canvas) whose name
// is what the field says now (the cursor's cell, or the move just made; see
// control/field_speech.h) and whose description tells how to play it. The
// window sets the name with QWidget::setAccessibleName, which tells a screen
// reader of every change.

#include <QAccessibleWidget>

namespace pebble::ui {

class FieldAccessible : public QAccessibleWidget {
 public:
  explicit FieldAccessible(QWidget* field);
  QAccessible::State state() const override;
};

// Makes every FieldView answer with a FieldAccessible; once per program.
void InstallFieldAccessible();

}  // namespace pebble::ui
