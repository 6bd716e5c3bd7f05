#pragma once
// The history dialog: after a game tied to a saved file it invites the player
// to add their name (and, if they like, their mail address) to the file's
// player history. Created on first use and reused; the name, the address and
// the report box remember their last values in the store.

#include <QDialog>
#include <cstddef>
#include <string>

#include "control/saved_game.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pebble {
class SettingsStore;
}

namespace pebble::ui {

class TfrmAddAddress : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 309;
  static constexpr int kClientHeight = 233;
  static constexpr int kNameEditWidth = 193;
  static constexpr int kIconSize = 32;
  // What a saved game holds of a name or an address: longer texts are cut.
  static constexpr std::size_t kMaxTextChars = 250;

  TfrmAddAddress(SettingsStore& store, int languageOffset, QWidget* parent = nullptr);

  // Every text in the given language; again after a change of language.
  void ProcStrings(int languageOffset);
  // Before showing: the lines about this game (entry's computer and date) and
  // the file (the header's), and the edits filled from the store, the name
  // replaced by the last name entered in the table when there is one.
  void Prepare(const TReportInfo& entry, const TReportInfo& gameHeader, const std::string& lastWinner);
  // The entry with the name and address typed, each cut to what a saved game
  // holds.
  TReportInfo CompleteEntry(TReportInfo entry) const;
  // Keeps the typed name and address for the next time.
  void SavePresets();
  bool ReportWanted() const;

  void editNameChange();

  QLineEdit* editName() const { return editName_; }
  QLineEdit* editAddress() const { return editAddress_; }
  QCheckBox* checkReport() const { return checkReport_; }
  QPushButton* bttOK() const { return bttOK_; }
  QPushButton* bttCancel() const { return bttCancel_; }
  QLabel* lblInfo2() const { return lblInfo2_; }
  QLabel* lblGameInfo() const { return lblGameInfo_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  void SaveText(const QLineEdit* edit);
  void checkReportClick();

  SettingsStore& store_;
  int languageOffset_ = 0;
  QLabel* paintIco_ = nullptr;
  QLabel* lblInfo_ = nullptr;
  QLabel* lblInfo3_ = nullptr;
  QLabel* lblName_ = nullptr;
  QLineEdit* editName_ = nullptr;
  QLabel* lblAddress_ = nullptr;
  QLineEdit* editAddress_ = nullptr;
  QLabel* lblInfo2_ = nullptr;
  QLabel* lblGameInfo_ = nullptr;
  QCheckBox* checkReport_ = nullptr;
  QPushButton* bttCancel_ = nullptr;
  QPushButton* bttOK_ = nullptr;
};

}  // namespace pebble::ui
