#include "config/ui/cfg_stone_preview.h"

#include <QPainter>
#include <algorithm>
#include <chrono>

#include "engine/field.h"
#include "render/ui/field_painter.h"

namespace pebble::ui {

CfgStonePreview::CfgStonePreview(QWidget* parent)
    : QWidget(parent),
      textureSeed_(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())) {
  // Room for the largest stone, so the dialog does not jump while it grows.
  setFixedSize(sizeHint());
  Render();
}

QSize CfgStonePreview::sizeHint() const { return {kMaxStonePixels + 1, kMaxStonePixels + 1}; }

void CfgStonePreview::SetLook(const Look& look) {
  look_ = look;
  look_.width = std::clamp(look_.width, 1, kMaxStonePixels);
  look_.height = std::clamp(look_.height, 1, kMaxStonePixels);
  Render();
  update();
}

void CfgStonePreview::Render() {
  GameSettings settings;
  settings.stoneWidth = look_.width;
  settings.stoneHeight = look_.height;
  settings.textured = look_.textured;
  settings.voyeur = false;  // there is no picture behind a lone stone
  settings.traceOutline = look_.traceOutline;
  settings.stoneSymbols = look_.symbols;
  settings.stoneColors = look_.colors;
  settings.actionsOn = false;
  settings.animationsOn = false;

  Field field(1, 1, look_.width, look_.height);
  field[0].Occupied = 1;
  field[0].Color = look_.color;
  field.Recount(true);

  // The same seed every time: the texture tile stays while the size changes.
  GameRandom random;
  random.Seed(textureSeed_);
  FieldPainter painter;
  painter.Prepare(settings, QSize(field.PixelWidth(), field.PixelHeight()), QImage(), random, devicePixelRatio());
  painter.DrawWholeField(field, DrawFlags{});
  stone_ = painter.Surface().copy();
}

void CfgStonePreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), stone_);
}

}  // namespace pebble::ui
