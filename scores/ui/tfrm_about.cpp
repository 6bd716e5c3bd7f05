#include "scores/ui/tfrm_about.h"

#include <QGuiApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "config/system_services.h"
#include "control/shell_help.h"
#include "control/ui/paint_box.h"
#include "control/ui/prompter.h"
#include "render/ui/background_picture.h"
#include "scores/ui/score_format.h"

namespace pebble::ui {
namespace {

// The title names the system the game runs on.
#ifdef _WIN32
constexpr int kProgramTitle = kProgramForWindows;
#else
constexpr int kProgramTitle = kProgramForLinux;
#endif

// The text column beside the picture: the classic 200 pixels, or about 28
// characters of a larger font; longer texts wrap.
constexpr int kTextColumnWidth = 200;
constexpr int kTextColumnChars = 28;
constexpr int kPanelMargin = 8;
constexpr double kVersionFontScale = 0.85;

QLabel* InfoLabel(QWidget* parent, const char* name, bool bold, bool wrap) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(wrap);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

QPushButton* Button(QWidget* parent, const char* name) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

TfrmAbout::TfrmAbout(int languageOffset, QWidget* parent) : QDialog(parent), languageOffset_(languageOffset) {
  setObjectName(QStringLiteral("frmAbout"));
  setAttribute(Qt::WA_QuitOnClose, false);
  BuildWindow();
  LoadPicture("MOREK");
  ProcStrings(languageOffset);
  switches_ = 1;
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect centred(QPoint(), size());
    centred.moveCenter(screen->availableGeometry().center());
    move(centred.topLeft());
  }
}

void TfrmAbout::BuildWindow() {
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("panelAbout"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);

  ProgIcoBox_ = new PaintBox(panel);
  ProgIcoBox_->setObjectName(QStringLiteral("ProgIcoBox"));
  ProgIcoBox_->setFixedSize(kPictureWidth, kPictureHeight);
  ProgIcoBox_->SetImage(&picture_);
  ProgIcoBox_->onMouseDown = [this](Qt::MouseButton button, QPoint) { ProgIcoBoxMouseDown(button); };

  lblInfo1_ = InfoLabel(panel, "lblInfo1", true, true);
  lblInfo2_ = InfoLabel(panel, "lblInfo2", false, true);
  lblInfo3_ = InfoLabel(panel, "lblInfo3", true, true);
  lblInfo4_ = InfoLabel(panel, "lblInfo4", false, true);
  lblInfo3_->setMinimumWidth(std::max(kTextColumnWidth, lblInfo3_->fontMetrics().averageCharWidth() * kTextColumnChars));
  lblVers_ = InfoLabel(panel, "lblVers", false, false);
  lblVers_->setAlignment(Qt::AlignRight | Qt::AlignBottom);
  QFont small = lblVers_->font();
  small.setPointSizeF(small.pointSizeF() > 0 ? small.pointSizeF() * kVersionFontScale : 7.0);
  lblVers_->setFont(small);

  auto* texts = new QVBoxLayout;
  texts->addWidget(lblInfo1_);
  texts->addWidget(lblInfo2_);
  texts->addWidget(lblInfo3_);
  texts->addStretch(1);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(kPanelMargin, kPanelMargin, kPanelMargin, kPanelMargin / 2);
  grid->addWidget(ProgIcoBox_, 0, 0, Qt::AlignTop);
  grid->addLayout(texts, 0, 1);
  grid->addWidget(lblInfo4_, 1, 0, 1, 2);
  grid->addWidget(lblVers_, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);

  bttMail_ = Button(this, "bttMail");
  bttWWW_ = Button(this, "bttWWW");
  bttOK_ = Button(this, "bttOK");
  bttWWW_->setDefault(true);
  connect(bttMail_, &QPushButton::clicked, this, [this] { bttMailClick(bttMail_); });
  connect(bttWWW_, &QPushButton::clicked, this, [this] { bttMailClick(bttWWW_); });
  // Escape closes the window like the OK button: closing only hides it.
  connect(bttOK_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(bttMail_);
  buttons->addWidget(bttWWW_);
  buttons->addStretch(1);
  buttons->addWidget(bttOK_);

  auto* outer = new QVBoxLayout(this);
  outer->addWidget(panel);
  outer->addLayout(buttons);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfrmAbout::Str(int id) const { return QString::fromStdString(Text(id, languageOffset_)); }

void TfrmAbout::ProcStrings(int languageOffset) {
  languageOffset_ = languageOffset;
  setWindowTitle(Str(kAboutCaption));
  ProgIcoBox_->setToolTip(Str(kThisIsMe));
  lblInfo1_->setText(Str(kProgramTitle));
  lblInfo2_->setText(Str(kAboutDeveloper));
  lblInfo3_->setText(Str(kAboutPostcardware));
  lblInfo4_->setText(Str(kAboutMoreInHelp));
  lblVers_->setText(QStringLiteral("Vers. ") + QString::fromStdString(ProcessVersion({}, "FileVersion")));
  bttMail_->setText(Str(kMailCaption));
  bttWWW_->setText(Str(kWebButton));
  bttOK_->setText(Str(kAboutOk));
}

void TfrmAbout::ShowModeless() {
  show();
  raise();
  activateWindow();
}

void TfrmAbout::LoadPicture(const char* name) { picture_ = LoadJpegResource(name); }

void TfrmAbout::ProgIcoBoxMouseDown(Qt::MouseButton button) {
  if (button == Qt::LeftButton) {
    picture_ = picture_.mirrored(true, true);
  } else if (button == Qt::RightButton) {
    LoadPicture(switches_ % 2 == 1 ? "MOREK2" : "MOREK");
    ++switches_;
  }
  ProgIcoBox_->update();
}

void TfrmAbout::bttMailClick(const QPushButton* sender) {
  const bool mail = sender == bttMail_;
  const std::string link = Text(mail ? kMailLink : kWebLink, languageOffset_);
  if (mail) {
    const QString question = Str(kAboutMailPlea) + QStringLiteral("\n\n") + Str(kAboutMailAnyway);
    const int topic = languageOffset_ + kHelpQuestionsTopic;
    if (!CurrentPrompter().AskWithHelp(this, question, [this, topic] { emit HelpRequested(topic); })) return;
  }
  const std::string version = ProcessVersion({}, "ProductVersion");
  const QString url = QString::fromStdString(FormatPattern(link, {version}));
  if (CurrentPrompter().OpenUrl(QUrl(url, QUrl::TolerantMode))) return;
  // The address as the player can type it in: the version filled in.
  CurrentPrompter().Error(this, NoBrowserMessage(Str(kNoBrowser), url));
}

}  // namespace pebble::ui
