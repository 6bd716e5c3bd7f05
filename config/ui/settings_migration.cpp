#include "config/ui/settings_migration.h"

#include <QString>

#include "config/settings_store.h"
#include "control/ui/prompter.h"

namespace pebble::ui {

void MigrateOlderSettings(SettingsStore& store, QWidget* parent) {
  if (!store.MigrationNeeded() || store.MigrateRegistry()) return;
  CurrentPrompter().Error(parent, QString::fromUtf8(kMigrationErrorMessage.data(),
                                                    static_cast<qsizetype>(kMigrationErrorMessage.size())));
}

}  // namespace pebble::ui
