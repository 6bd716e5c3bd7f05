#pragma once
// A row of bitmap digit cells showing a non-negative number right-aligned, as
// on a clock display. Changing the number repaints only the cells whose digit
// changed, so a count-down tick normally redraws one cell.

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace pebble::ui {

constexpr int kDigitCellWidth = 14;
constexpr int kDigitCellHeight = 28;
constexpr int kMaxDigitCells = 10;

// DIGIT0 .. DIGIT9, then the blank cell DIGITLEER.
using DigitPictures = std::array<QImage, 11>;
constexpr std::size_t kBlankPicture = 10;

// The game's digit pictures from the resources; a missing one stays null and
// its cells show the background.
DigitPictures LoadDigitPictures();

// The ten characters the cells of a value show: its absolute value
// right-aligned with blanks in front.
std::string FormatDigits(std::int32_t value);

class TDigit : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int Value READ Value WRITE SetValue)
  Q_PROPERTY(int Digits READ Digits WRITE SetDigits)
  Q_PROPERTY(bool DisplayOn READ DisplayOn WRITE SetDisplayOn)

 public:
  explicit TDigit(QWidget* parent = nullptr, DigitPictures pictures = LoadDigitPictures());

  std::int32_t Value() const { return value_; }
  void SetValue(std::int32_t value);
  int Digits() const { return digits_; }
  // Only 1 to 10 cells; any other count is ignored.
  void SetDigits(int digits);
  bool DisplayOn() const { return displayOn_; }
  void SetDisplayOn(bool on);

  // What the cells show now, one character per cell (blank or digit).
  std::string Shown() const { return cache_.substr(cache_.size() - static_cast<std::size_t>(digits_)); }

  std::function<void()> OnClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QRect CellRect(int cell) const;  // cell counted from 1 at the left
  const QImage& PictureFor(char shown) const;
  void EnforceSize();

  DigitPictures pictures_;
  std::int32_t value_ = 0;
  int digits_ = kMaxDigitCells;
  bool displayOn_ = true;
  std::string cache_ = std::string(kMaxDigitCells, ' ');
};

}  // namespace pebble::ui
