#include "config/ui/tfrm_sel_colors.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>
#include <optional>

#include "config/settings_model.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/ui/prompter.h"

namespace pebble::ui {
namespace {

constexpr int kRowsPerColumn = 8;
constexpr QSize kColorButtonSize(25, 18);
constexpr int kColumnGap = 16;

}  // namespace

TfrmSelColors::TfrmSelColors(CfgHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      host_(host) {
  setModal(true);
  BuildWindow();
  FormCreate();
}

QString TfrmSelColors::Str(int id) const {
  return QString::fromStdString(Text(id, host_.Settings().languageOffset));
}

void TfrmSelColors::BuildWindow() {
  bttClassic = new QPushButton(this);
  bttWinXP = new QPushButton(this);
  bttWild = new QPushButton(this);
  bttColorBlind = new QPushButton(this);
  auto* palettes = new QVBoxLayout;
  for (QPushButton* button : {bttClassic, bttWinXP, bttWild, bttColorBlind}) palettes->addWidget(button);
  palettes->addStretch(1);
  connect(bttClassic, &QPushButton::clicked, this, [this] { ChoosePresets(Palette::Classic); });
  connect(bttWinXP, &QPushButton::clicked, this, [this] { ChoosePresets(Palette::WinXP); });
  connect(bttWild, &QPushButton::clicked, this, [this] { ChoosePresets(Palette::Wild); });
  connect(bttColorBlind, &QPushButton::clicked, this, [this] { ChoosePresets(Palette::ColorBlind); });

  panelMain = new QFrame(this);
  panelMain->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  auto* grid = new QGridLayout(panelMain);
  grid->setColumnMinimumWidth(2, kColumnGap);
  for (int i = 0; i < kMaxColors; ++i) {
    auto* label = new QLabel(panelMain);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* button = new QToolButton(panelMain);
    button->setFixedSize(kColorButtonSize);
    button->setIconSize(QSize(kGlyphWidth, kGlyphHeight));
    connect(button, &QToolButton::clicked, this, [this, i] { Farbwahl(i); });
    const int column = 3 * (i / kRowsPerColumn), row = i % kRowsPerColumn;
    grid->addWidget(label, row, column);
    grid->addWidget(button, row, column + 1);
    labels_[static_cast<std::size_t>(i)] = label;
    buttons_[static_cast<std::size_t>(i)] = button;
  }

  bttCancel = new QPushButton(this);
  bttOK = new QPushButton("&OK", this);
  bttCancel->setDefault(true);
  connect(bttCancel, &QPushButton::clicked, this, &TfrmSelColors::bttCancelClick);
  connect(bttOK, &QPushButton::clicked, this, &TfrmSelColors::bttOKClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(bttCancel);
  buttons->addWidget(bttOK);

  auto* top = new QHBoxLayout;
  top->addLayout(palettes);
  top->addWidget(panelMain, 1);
  auto* main = new QVBoxLayout(this);
  main->addLayout(top);
  main->addLayout(buttons);
  main->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmSelColors::FormCreate() {
  changed_ = false;
  glyph_ = QImage(kGlyphWidth, kGlyphHeight, QImage::Format_RGB32);
  working_ = host_.Settings().stoneColors;
  panelMain->hide();
  ProcStrings();
  for (int i = 0; i < kMaxColors; ++i) DrawEntry(i);
  panelMain->show();
}

void TfrmSelColors::ProcStrings() {
  setWindowTitle(Str(kChooseColors));
  bttCancel->setText(Str(kCancelButton));
  bttClassic->setText(Str(kClassicPaletteButton));
  bttWinXP->setText(Str(kXpPaletteButton));
  bttWild->setText(Str(kWildPaletteButton));
  bttColorBlind->setText(Str(kColorBlindPaletteButton));
  bttColorBlind->setToolTip(Str(kColorBlindPaletteHint));
  // The saved number of colours, not one still being edited, marks those in play.
  const int inPlay = host_.Settings().colorCount;
  for (int i = 0; i < kMaxColors; ++i) {
    QLabel* label = ColorLabel(i);
    label->setText(Str(kTileLabel) + ' ' + QString::number(i + 1));
    if (i < inPlay) {
      QPalette red = label->palette();
      red.setColor(QPalette::WindowText, QColor(255, 0, 0));
      label->setPalette(red);
    }
  }
}

void TfrmSelColors::DrawEntry(int index) {
  const ColorValue color = WorkingColor(index);
  glyph_.fill(ToQColor(color));
  {
    QPainter painter(&glyph_);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, kGlyphWidth - 1, kGlyphHeight - 1);
  }
  QToolButton* button = ColorButton(index);
  button->setIcon(QIcon(QPixmap::fromImage(glyph_)));  // the button keeps its own copy
  button->setToolTip(ColorName(color));
}

void TfrmSelColors::Farbwahl(int index) {
  const std::optional<ColorValue> chosen = CurrentPrompter().ChooseColor(this, WorkingColor(index));
  if (!chosen) return;
  if (IsRefusedStoneColor(*chosen)) {
    CurrentPrompter().Error(this, Str(kRefusedColor));
    return;
  }
  // Every entry counts, in play or not: a colour taken twice would merge groups
  // as soon as more colours are played.
  for (int i = 0; i < kMaxColors; ++i) {
    if (i != index && WorkingColor(i) == *chosen) {
      CurrentPrompter().Error(this, Str(kColorTaken));
      return;
    }
  }
  working_[static_cast<std::size_t>(index)] = *chosen;
  DrawEntry(index);
  changed_ = true;
}

void TfrmSelColors::ChoosePresets(Palette palette) {
  if (!CurrentPrompter().WarningYesNo(this, Str(kPaletteWarning) + "\n\r" + Str(kProceed))) return;
  const StoneColorTable& colors = PaletteColors(palette);
  GameSettings settings = host_.Settings();
  settings.stoneColors = colors;
  host_.UpdateSettings(settings);
  working_ = colors;
  for (int i = 0; i < kMaxColors; ++i) DrawEntry(i);
  if (palette == Palette::Classic) {
    // Without stored colours every entry reads as the classic palette.
    try {
      RemoveStoneColors(host_.Store());
    } catch (const std::exception&) {
      CurrentPrompter().Error(this, Str(kSaveFailed));
    }
  } else {
    changed_ = true;
  }
  colorsTouched_ = true;
}

void TfrmSelColors::bttOKClick() {
  if (changed_) {
    try {
      SaveStoneColors(host_.Store(), working_);
    } catch (const std::exception&) {
      CurrentPrompter().Error(this, Str(kSaveFailed));
      return;  // nothing stored: the player may try again or cancel
    }
    GameSettings settings = host_.Settings();
    settings.stoneColors = working_;
    host_.UpdateSettings(settings);
    colorsTouched_ = true;
  }
  accept();
}

void TfrmSelColors::bttCancelClick() { reject(); }

void TfrmSelColors::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  bttCancel->setFocus();
}

}  // namespace pebble::ui
