#pragma once
// One stone as the game would draw it with the settings being edited: its size,
// its colour, textured or plain, with or without its trace line.

#include <QImage>
#include <QWidget>

#include "config/game_settings.h"
#include "engine/random.h"

namespace pebble::ui {

class CfgStonePreview : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMaxStonePixels = 50;

  explicit CfgStonePreview(QWidget* parent = nullptr);

  struct Look {
    int width = 20, height = 21;
    ColorValue color = 0x0000FF;
    bool textured = true;
    bool traceOutline = true;
    bool symbols = false;
    StoneColorTable colors = kClassicPalette;  // the symbol follows the colour's entry
  };
  void SetLook(const Look& look);
  const Look& CurrentLook() const { return look_; }
  // The stone with its frame: width + 1 by height + 1 pixels.
  const QImage& Stone() const { return stone_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Render();

  Look look_;
  QImage stone_;
  std::uint64_t textureSeed_;
};

}  // namespace pebble::ui
