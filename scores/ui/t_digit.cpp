#include "scores/ui/t_digit.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "render/ui/bitmap_resource.h"

namespace pebble::ui {

DigitPictures LoadDigitPictures() {
  DigitPictures pictures;
  for (std::size_t d = 0; d < kBlankPicture; ++d) pictures[d] = BitmapResource(QStringLiteral("DIGIT%1").arg(d));
  pictures[kBlankPicture] = BitmapResource(QStringLiteral("DIGITLEER"));
  return pictures;
}

std::string FormatDigits(std::int32_t value) {
  // Widened first: the lowest 32-bit value has no 32-bit absolute value.
  const long long magnitude = std::llabs(static_cast<long long>(value));
  char text[32];
  std::snprintf(text, sizeof text, "%10lld", magnitude);
  return std::string(text, kMaxDigitCells);
}

TDigit::TDigit(QWidget* parent, DigitPictures pictures) : QWidget(parent), pictures_(std::move(pictures)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  EnforceSize();
}

void TDigit::SetValue(std::int32_t value) {
  value_ = value;
  if (!displayOn_) return;
  const std::string formatted = FormatDigits(value);
  for (int cell = 1; cell <= digits_; ++cell) {
    const std::size_t k = static_cast<std::size_t>(kMaxDigitCells - digits_ + cell - 1);
    if (formatted[k] != cache_[k]) update(CellRect(cell));
  }
  cache_ = formatted;
}

void TDigit::SetDigits(int digits) {
  if (digits < 1 || digits > kMaxDigitCells || digits == digits_) return;
  digits_ = digits;
  EnforceSize();
  update();
}

void TDigit::SetDisplayOn(bool on) {
  if (on == displayOn_) return;
  displayOn_ = on;
  cache_ = on ? FormatDigits(value_) : std::string(kMaxDigitCells, ' ');
  update();
}

QRect TDigit::CellRect(int cell) const {
  return {(cell - 1) * kDigitCellWidth, 0, kDigitCellWidth, kDigitCellHeight};
}

const QImage& TDigit::PictureFor(char shown) const {
  if (shown >= '0' && shown <= '9') return pictures_[static_cast<std::size_t>(shown - '0')];
  return pictures_[kBlankPicture];
}

void TDigit::EnforceSize() { setFixedSize(digits_ * kDigitCellWidth, kDigitCellHeight); }

void TDigit::paintEvent(QPaintEvent* event) {
  EnforceSize();
  QPainter painter(this);
  const std::string shown = Shown();
  for (int cell = 1; cell <= digits_; ++cell) {
    const QRect rect = CellRect(cell);
    if (!event->region().intersects(rect)) continue;
    const QImage& picture = PictureFor(shown[static_cast<std::size_t>(cell - 1)]);
    if (picture.isNull()) {
      painter.fillRect(rect, Qt::black);
    } else {
      painter.drawImage(rect, picture);
    }
  }
}

void TDigit::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick) OnClick();
}

}  // namespace pebble::ui
