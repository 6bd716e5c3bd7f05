#include "control/ui/field_accessible.h"

#include "control/ui/field_view.h"

namespace pebble::ui {
namespace {

QAccessibleInterface* FieldFactory(const QString& className, QObject* object) {
  // The factory is asked for every class of the object's ancestry, the most derived first.
  if (className != QLatin1String("pebble::ui::FieldView") || !object || !object->isWidgetType()) return nullptr;
  return new FieldAccessible(static_cast<QWidget*>(object));
}

}  // namespace

FieldAccessible::FieldAccessible(QWidget* field) : QAccessibleWidget(field, QAccessible::Graphic) {}

QAccessible::State FieldAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  // The keys of play reach the field wherever the focus sits in the window.
  s.focusable = true;
  return s;
}

void InstallFieldAccessible() {
  static const bool installed = [] {
    QAccessible::installFactory(FieldFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace pebble::ui
