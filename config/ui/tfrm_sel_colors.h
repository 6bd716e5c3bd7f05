#pragma once
// The stone colour dialog: the fifteen colours one by one through the colour
// chooser, or all at once from a ready-made palette. The colours in play are
// marked red. Opened modally by the configuration dialog for each use.

#include <QDialog>
#include <QImage>
#include <array>

#include "config/game_settings.h"
#include "config/ui/cfg_host.h"
#include "config/ui/cfg_palettes.h"

class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

namespace pebble::ui {

class TfrmSelColors : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kGlyphWidth = 16, kGlyphHeight = 11;

  explicit TfrmSelColors(CfgHost& host, QWidget* parent = nullptr);

  void ProcStrings();

  // --- event handlers ----------------------------------------------------------
  void Farbwahl(int index);
  void ChoosePresets(Palette palette);
  void bttOKClick();
  void bttCancelClick();

  ColorValue WorkingColor(int index) const { return working_[static_cast<std::size_t>(index)]; }
  // Colours were changed for good: a palette was taken, or OK stored changes.
  // The configuration dialog's next Save then starts a new game.
  bool ColorsTouched() const { return colorsTouched_; }
  QToolButton* ColorButton(int index) const { return buttons_[static_cast<std::size_t>(index)]; }
  QLabel* ColorLabel(int index) const { return labels_[static_cast<std::size_t>(index)]; }

  QPushButton *bttClassic = nullptr, *bttWinXP = nullptr, *bttWild = nullptr, *bttColorBlind = nullptr;
  QFrame* panelMain = nullptr;
  QPushButton *bttCancel = nullptr, *bttOK = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildWindow();
  void FormCreate();
  void DrawEntry(int index);
  QString Str(int id) const;

  CfgHost& host_;
  StoneColorTable working_{};
  std::array<QToolButton*, kMaxColors> buttons_{};
  std::array<QLabel*, kMaxColors> labels_{};
  QImage glyph_;
  bool changed_ = false;
  bool colorsTouched_ = false;
};

}  // namespace pebble::ui
