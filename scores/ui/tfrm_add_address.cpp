#include "scores/ui/tfrm_add_address.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <exception>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "scores/score_store.h"
#include "scores/ui/score_format.h"

namespace pebble::ui {
namespace {

constexpr int kMargin = 8;

QLabel* WrappedLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setWordWrap(true);
  return label;
}

std::string CutText(const QLineEdit* edit) {
  return CutToCharacters(edit->text().toStdString(), TfrmAddAddress::kMaxTextChars);
}

// Older versions kept the example of the empty field as the player's address.
bool IsExampleAddress(const QString& address) {
  for (int offset : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
    if (address == ScoreText(kExampleAddress, offset)) return true;
  }
  return false;
}

}  // namespace

TfrmAddAddress::TfrmAddAddress(SettingsStore& store, int languageOffset, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      store_(store),
      languageOffset_(languageOffset) {
  setObjectName(QStringLiteral("TfrmAddAddress"));
  BuildLayout();
  checkReport_->setChecked(store_.ReadRegBool(kRootSection, kValueShowReport, true));
  ProcStrings(languageOffset);
  editNameChange();
}

void TfrmAddAddress::BuildLayout() {
  paintIco_ = new QLabel(this);
  paintIco_->setObjectName(QStringLiteral("paintIco"));
  paintIco_->setFixedSize(kIconSize, kIconSize);
  paintIco_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(kIconSize));
  lblInfo_ = WrappedLabel(this, "lblInfo");
  QFont bold = lblInfo_->font();
  bold.setBold(true);
  lblInfo_->setFont(bold);
  lblInfo3_ = WrappedLabel(this, "lblInfo3");

  lblName_ = new QLabel(this);
  lblName_->setObjectName(QStringLiteral("lblName"));
  lblName_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  editName_ = new QLineEdit(this);
  editName_->setObjectName(QStringLiteral("editName"));
  editName_->setMaxLength(static_cast<int>(kMaxTextChars));
  editName_->setMinimumWidth(kNameEditWidth);
  lblName_->setBuddy(editName_);
  lblAddress_ = new QLabel(this);
  lblAddress_->setObjectName(QStringLiteral("lblAddress"));
  lblAddress_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  editAddress_ = new QLineEdit(this);
  editAddress_->setObjectName(QStringLiteral("editAddress"));
  editAddress_->setMaxLength(static_cast<int>(kMaxTextChars));
  lblAddress_->setBuddy(editAddress_);
  connect(editName_, &QLineEdit::textChanged, this, &TfrmAddAddress::editNameChange);
  editName_->installEventFilter(this);
  editAddress_->installEventFilter(this);

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  lblInfo2_ = WrappedLabel(this, "lblInfo2");
  lblGameInfo_ = WrappedLabel(this, "lblGameInfo");

  checkReport_ = new QCheckBox(this);
  checkReport_->setObjectName(QStringLiteral("checkReport"));
  connect(checkReport_, &QCheckBox::toggled, this, &TfrmAddAddress::checkReportClick);
  bttCancel_ = new QPushButton(this);
  bttCancel_->setObjectName(QStringLiteral("bttCancel"));
  bttCancel_->setAutoDefault(false);
  bttOK_ = new QPushButton(this);
  bttOK_->setObjectName(QStringLiteral("bttOK"));
  bttOK_->setDefault(true);
  connect(bttCancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(bttOK_, &QPushButton::clicked, this, &QDialog::accept);

  auto* top = new QGridLayout;
  top->setHorizontalSpacing(8);
  top->addWidget(paintIco_, 0, 0, 2, 1, Qt::AlignTop);
  top->addWidget(lblInfo_, 0, 1);
  top->addWidget(lblInfo3_, 1, 1);
  auto* edits = new QGridLayout;
  edits->addWidget(lblName_, 0, 0);
  edits->addWidget(editName_, 0, 1);
  edits->addWidget(lblAddress_, 1, 0);
  edits->addWidget(editAddress_, 1, 1);
  edits->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(checkReport_);
  buttons->addStretch(1);
  buttons->addWidget(bttCancel_);
  buttons->addWidget(bttOK_);
  auto* body = new QVBoxLayout;
  body->addLayout(edits);
  body->addWidget(line);
  body->addWidget(lblInfo2_);
  body->addWidget(lblGameInfo_);
  body->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  layout->setSpacing(kMargin);
  layout->addLayout(top);
  layout->addLayout(body);
}

void TfrmAddAddress::ProcStrings(int languageOffset) {
  languageOffset_ = languageOffset;
  const auto str = [languageOffset](int id) { return ScoreText(id, languageOffset); };
  setWindowTitle(str(kHistoryCaption));
  lblInfo_->setText(str(kHistoryInfo));
  lblInfo3_->setText(str(kHistoryFileInfo));
  lblName_->setText(str(kNameLabel));
  editName_->setToolTip(str(kNameHint));
  lblAddress_->setText(str(kMailCaption));
  editAddress_->setToolTip(str(kAddressHint));
  editAddress_->setPlaceholderText(str(kExampleAddress));
  checkReport_->setText(str(kShowReportCheck));
  bttCancel_->setText(str(kCancelButton));
  bttCancel_->setToolTip(str(kHistoryCancelHint));
  bttOK_->setText(str(kSaveButton));
  bttOK_->setToolTip(str(kHistorySaveHint));
  FixDialogSize(*this, kClientWidth, kClientHeight);
}

void TfrmAddAddress::Prepare(const TReportInfo& entry, const TReportInfo& gameHeader, const std::string& lastWinner) {
  // "Name: value" as each language writes it: French puts a space before the
  // colon. The deal's best line reads the same pattern.
  const auto line = [this](int label, const std::string& value) {
    return QString::fromStdString(FormatText(kDealBestLine, languageOffset_, {Text(label, languageOffset_), value}));
  };
  lblInfo2_->setText(line(kComputerCaption, entry.Computer) + QLatin1Char('\n') +
                     line(kDateCaption, DateTimeText(entry.Date).toStdString()));
  lblGameInfo_->setText(QString::fromStdString(
      FormatText(kGameSavedOn, languageOffset_,
                 {gameHeader.Computer, DateTimeText(gameHeader.Date).toStdString()})));
  editName_->setText(QString::fromStdString(
      store_.ReadRegStr(kRootSection, kValuePlayerName, editName_->text().toStdString())));
  const QString address = QString::fromStdString(
      store_.ReadRegStr(kRootSection, kValuePlayerAddress, editAddress_->text().toStdString()));
  editAddress_->setText(IsExampleAddress(address) ? QString() : address);
  if (!lastWinner.empty()) editName_->setText(QString::fromStdString(lastWinner));
  FixDialogSize(*this, kClientWidth, kClientHeight);
}

TReportInfo TfrmAddAddress::CompleteEntry(TReportInfo entry) const {
  entry.Name = CutText(editName_);
  entry.Address = CutText(editAddress_);
  return entry;
}

bool TfrmAddAddress::ReportWanted() const { return checkReport_->isChecked(); }

void TfrmAddAddress::editNameChange() { bttOK_->setEnabled(!editName_->text().isEmpty()); }

void TfrmAddAddress::SavePresets() {
  SaveText(editName_);
  SaveText(editAddress_);
}

// The typed texts are only a convenience for next time: a store that refuses
// them costs nothing of the game.
void TfrmAddAddress::SaveText(const QLineEdit* edit) {
  try {
    store_.SaveRegStr(kRootSection, edit == editName_ ? kValuePlayerName : kValuePlayerAddress, CutText(edit));
  } catch (const std::exception&) {
  }
}

void TfrmAddAddress::checkReportClick() {
  try {
    store_.SaveRegBool(kRootSection, kValueShowReport, checkReport_->isChecked());
  } catch (const std::exception&) {
  }
}

void TfrmAddAddress::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  editName_->setFocus(Qt::OtherFocusReason);
}

bool TfrmAddAddress::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && (watched == editName_ || watched == editAddress_)) {
    SaveText(static_cast<QLineEdit*>(watched));
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace pebble::ui
