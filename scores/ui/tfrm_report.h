#pragma once
// The report window: everyone who played the deal of a saved game, with date,
// computer, result and mail address, sortable by any column; a double click
// starts a mail to the chosen player. Rebuilt from the file each time it is
// shown, so entries added since are included.

#include <QDialog>
#include <QIcon>
#include <cstddef>
#include <filesystem>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace pebble::ui {

class TfrmReport : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 398;
  static constexpr int kClientHeight = 226;
  static constexpr int kBottomHeight = 35;
  static constexpr int kCloseRightGap = 12;
  static constexpr int kPointsWidth = 65;
  enum Column { kColName, kColDate, kColPoints, kColComputer, kColMail, kColumnCount };
  // The emblem of a player who cleared the field (low score) or holds the
  // best result (high score); everyone else gets its grey twin.
  enum Image { kImageEmblem = 0, kImageGrey = 1 };
  // Item data of the name column: the image index.
  static constexpr int kImageRole = Qt::UserRole + 1;

  explicit TfrmReport(int languageOffset, QWidget* parent = nullptr);

  // Every text in the given language; again after a change of language.
  void ProcStrings(int languageOffset);
  // Fills the list from the file's player history; true when it holds an
  // entry. No history leaves the list as it was; a damaged one is reported.
  // lowScore: the count mode of the game now, which decides the pictures.
  bool LoadReport(const std::filesystem::path& fileName, std::size_t playerHistoryOffset, bool lowScore);
  // Sorts the whole list by the column, always in that column's direction.
  void listReportColumnClick(int column);
  // Asks first, then hands the chosen player's address to the mail program.
  void listReportDblClick();

  QTreeWidget* listReport() const { return listReport_; }
  QLabel* lblCount() const { return lblCount_; }
  QPushButton* bttClose() const { return bttClose_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  void FitColumns();
  void MarkImages(bool lowScore);
  void ShowCount();

  int languageOffset_ = 0;
  int count_ = 0;
  bool lowScore_ = false;  // the count mode of the last report
  QIcon images_[2];
  QTreeWidget* listReport_ = nullptr;
  QWidget* panelBottom_ = nullptr;
  QLabel* lblCount_ = nullptr;
  QPushButton* bttClose_ = nullptr;
};

}  // namespace pebble::ui
