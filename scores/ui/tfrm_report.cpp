#include "scores/ui/tfrm_report.h"

#include <QCollator>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>
#include <system_error>

#include "config/string_ids.h"
#include "control/saved_game_file.h"
#include "config/string_table.h"
#include "control/ui/prompter.h"
#include "scores/ui/score_format.h"

namespace pebble::ui {
namespace {

constexpr int kColumnCaptions[TfrmReport::kColumnCount] = {kNameCaption, kDateCaption, kPointsLabel,
                                                           kComputerCaption, kMailColumn};
// The window is never made smaller than about 300 x 140 with its frame.
constexpr int kMinimumClientWidth = 284;
constexpr int kMinimumClientHeight = 110;
constexpr int kImageSize = 16;

QIcon Emblem(const char* name) {
  QImage picture(QStringLiteral(":/res/") + QLatin1String(name));
  if (picture.isNull()) return {};
  QPixmap pixmap = QPixmap::fromImage(picture);
  pixmap.setMask(pixmap.createMaskFromColor(QColor(255, 0, 255)));
  return QIcon(pixmap);
}

// The whole text is the recipient: an address from someone else's file must
// not smuggle in a subject, a body or an attachment ("?attach=...").
QUrl MailLink(const QString& address) {
  QUrl link;
  link.setScheme(QStringLiteral("mailto"));
  link.setPath(address, QUrl::DecodedMode);
  return link;
}

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// One player of the history; sorts by the clicked column, each column in its
// own fixed direction.
class ReportItem final : public QTreeWidgetItem {
 public:
  ReportItem(const TReportInfo& info, bool lowScore) : info_(info), lowScore_(lowScore) {
    setText(TfrmReport::kColName, Utf8(info.Name));
    setText(TfrmReport::kColDate, DateTimeText(info.Date));
    setText(TfrmReport::kColPoints, QString::number(info.Score));
    setText(TfrmReport::kColComputer, Utf8(info.Computer));
    setText(TfrmReport::kColMail, Utf8(info.Address));
  }
  const TReportInfo& Info() const { return info_; }

  bool operator<(const QTreeWidgetItem& other) const override {
    const auto& that = static_cast<const ReportItem&>(other);
    const int column = treeWidget() ? treeWidget()->sortColumn() : TfrmReport::kColName;
    switch (column) {
      case TfrmReport::kColDate:
        return info_.Date < that.info_.Date;
      case TfrmReport::kColPoints:
        // The best result first: fewest stones, or most points.
        return lowScore_ ? info_.Score < that.info_.Score : info_.Score > that.info_.Score;
      default: {
        // The desktop's order of words, capitals not folded into small letters.
        QCollator collator{QLocale()};
        collator.setCaseSensitivity(Qt::CaseSensitive);
        return collator.compare(text(column), that.text(column)) < 0;
      }
    }
  }

 private:
  TReportInfo info_;
  bool lowScore_;
};

}  // namespace

TfrmReport::TfrmReport(int languageOffset, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      languageOffset_(languageOffset) {
  setObjectName(QStringLiteral("TfrmReport"));
  images_[kImageEmblem] = Emblem("PEBBLESM");
  images_[kImageGrey] = Emblem("PEBBLESMGR");
  BuildLayout();
  ProcStrings(languageOffset);
  resize(kClientWidth, kClientHeight);
  setMinimumSize(kMinimumClientWidth, kMinimumClientHeight);
}

void TfrmReport::BuildLayout() {
  listReport_ = new QTreeWidget(this);
  listReport_->setObjectName(QStringLiteral("listReport"));
  listReport_->setColumnCount(kColumnCount);
  listReport_->setRootIsDecorated(false);
  listReport_->setUniformRowHeights(true);
  listReport_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  listReport_->setSelectionMode(QAbstractItemView::SingleSelection);
  listReport_->setIconSize(QSize(kImageSize, kImageSize));
  listReport_->header()->setSectionsClickable(true);
  listReport_->header()->setSortIndicatorShown(false);
  listReport_->header()->setStretchLastSection(false);
  connect(listReport_->header(), &QHeaderView::sectionClicked, this, &TfrmReport::listReportColumnClick);
  connect(listReport_, &QTreeWidget::itemDoubleClicked, this, [this] { listReportDblClick(); });
  listReport_->viewport()->installEventFilter(this);

  panelBottom_ = new QWidget(this);
  panelBottom_->setObjectName(QStringLiteral("panelBottom"));
  panelBottom_->setFixedHeight(kBottomHeight);
  lblCount_ = new QLabel(panelBottom_);
  lblCount_->setObjectName(QStringLiteral("lblCount"));
  bttClose_ = new QPushButton(panelBottom_);
  bttClose_->setObjectName(QStringLiteral("bttClose"));
  bttClose_->setDefault(true);
  connect(bttClose_, &QPushButton::clicked, this, &QDialog::reject);
  auto* bottom = new QHBoxLayout(panelBottom_);
  bottom->setContentsMargins(kCloseRightGap, 0, kCloseRightGap, 0);
  bottom->addWidget(lblCount_);
  bottom->addStretch(1);
  bottom->addWidget(bttClose_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(listReport_, 1);
  layout->addWidget(panelBottom_);
}

void TfrmReport::ProcStrings(int languageOffset) {
  languageOffset_ = languageOffset;
  setWindowTitle(ScoreText(kReportCaption, languageOffset));
  QStringList captions;
  for (int id : kColumnCaptions) captions << ScoreText(id, languageOffset);
  // The result column holds stones left in low-score mode.
  if (lowScore_) captions[kColPoints] = ScoreText(kReportStonesLeft, languageOffset);
  listReport_->setHeaderLabels(captions);
  FitColumns();
  bttClose_->setText(ScoreText(kCloseButton, languageOffset));
  ShowCount();
}

bool TfrmReport::LoadReport(const std::filesystem::path& fileName, std::size_t playerHistoryOffset, bool lowScore) {
  std::error_code error;
  if (playerHistoryOffset == 0 || !std::filesystem::exists(fileName, error)) return false;
  const ParsedPlayerHistory history = ReadPlayerHistory(fileName, playerHistoryOffset);
  if (!history.ok) {
    CurrentPrompter().Error(parentWidget() ? parentWidget() : this, ScoreText(kScoresReadFailed, languageOffset_));
    return false;
  }
  listReport_->clear();
  for (const TReportInfo& info : history.entries) listReport_->addTopLevelItem(new ReportItem(info, lowScore));
  MarkImages(lowScore);
  count_ = listReport_->topLevelItemCount();
  lowScore_ = lowScore;
  ProcStrings(languageOffset_);  // the result column's caption follows the count mode
  return count_ > 0;
}

// Every column as wide as its caption and entries need, so a short history
// reads without scrolling sideways in every language. The points keep their
// usual width unless only its spare pixels keep the list from scrolling;
// the mail column takes whatever is left of the window.
void TfrmReport::FitColumns() {
  int widths[kColumnCount];
  for (int column = 0; column < kColumnCount; ++column) {
    listReport_->resizeColumnToContents(column);
    widths[column] = listReport_->columnWidth(column);
  }
  const int available = listReport_->viewport()->width();
  const int tight = std::accumulate(std::begin(widths), std::end(widths), 0);
  const int points = widths[kColPoints];
  widths[kColPoints] =
      tight <= available ? std::clamp(points + available - tight, points, std::max(points, kPointsWidth))
                         : std::max(points, kPointsWidth);
  widths[kColMail] += std::max(0, available - (tight - points + widths[kColPoints]));
  for (int column = 0; column < kColumnCount; ++column) listReport_->setColumnWidth(column, widths[column]);
}

// Only a change of width: a scroll bar coming and going below must not undo
// a column the player has just dragged wider.
bool TfrmReport::eventFilter(QObject* watched, QEvent* event) {
  if (watched == listReport_->viewport() && event->type() == QEvent::Resize) {
    const auto* resize = static_cast<QResizeEvent*>(event);
    if (resize->size().width() != resize->oldSize().width()) FitColumns();
  }
  return QDialog::eventFilter(watched, event);
}

void TfrmReport::MarkImages(bool lowScore) {
  const int count = listReport_->topLevelItemCount();
  const auto setImage = [this](QTreeWidgetItem* item, Image image) {
    item->setIcon(kColName, images_[image]);
    item->setData(kColName, kImageRole, static_cast<int>(image));
  };
  int best = -1;
  std::int32_t bestScore = 0;
  for (int i = 0; i < count; ++i) {
    auto* item = static_cast<ReportItem*>(listReport_->topLevelItem(i));
    const std::int32_t score = item->Info().Score;
    setImage(item, lowScore && score == 0 ? kImageEmblem : kImageGrey);
    if (score > bestScore) {
      bestScore = score;
      best = i;
    }
  }
  // In high-score mode the one best result carries the emblem, the first of
  // equals; with no points at all, the first player.
  if (!lowScore && count > 0) setImage(listReport_->topLevelItem(best < 0 ? 0 : best), kImageEmblem);
}

// French counts none and one alike in the singular; German and English only one.
void TfrmReport::ShowCount() {
  const bool singular = count_ == 1 || (count_ == 0 && languageOffset_ == kFrenchOffset);
  const std::string count = std::to_string(count_);
  lblCount_->setText(QString::fromStdString(FormatText(singular ? kReportOnePlayer : kReportPlayers, languageOffset_, {count})));
}

void TfrmReport::listReportColumnClick(int column) { listReport_->sortItems(column, Qt::AscendingOrder); }

void TfrmReport::listReportDblClick() {
  if (!CurrentPrompter().ConfirmOkCancel(this, ScoreText(kReportMailPlea, languageOffset_))) return;
  const auto* item = static_cast<const ReportItem*>(listReport_->currentItem());
  if (!item || !item->isSelected()) return;
  const QString address = Utf8(item->Info().Address);
  if (CurrentPrompter().OpenUrl(MailLink(address))) return;
  CurrentPrompter().Error(this, NoBrowserMessage(ScoreText(kNoBrowser, languageOffset_), address));
}

}  // namespace pebble::ui
