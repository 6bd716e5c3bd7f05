// The window's size and the field's scale: the window sized for the zoom and
// kept within the screen's available area, the field and its ramp scaled
// into whatever space the window has (resized, maximised), centred, and their
// pictures made again at the new scale once no move is under way.

#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/ui/field_view.h"
#include "control/ui/ramp_view.h"
#include "control/ui/status_main.h"
#include "control/ui/tfrm_game.h"

namespace pebble::ui {
namespace {

// The tool bar and the status bar, and 2 pixels below the field.
constexpr int kChrome = TfrmGame::kPanelTopHeight + StatusMain::kHeight + 2;
// The narrow tool bar and a field one can still make out.
constexpr int kMinimumWidth = 110, kMinimumFieldHeight = 60;

}  // namespace

PixelSize TfrmGame::FieldBlock() const {
  return {fieldPixels_.width(), fieldPixels_.height() + rampPixels_};
}

int TfrmGame::ReadZoom() const {
  try {
    return SaneZoom(store_.ReadRegInt(kRootSection, kValueZoom, kDefaultZoom));
  } catch (const std::exception&) {
    return kDefaultZoom;  // an unreadable zoom is no reason to stop the game
  }
}

QSize TfrmGame::AvailableClientSize() const {
  const QScreen* shown = screen();
  if (!shown) return {1 << 20, 1 << 20};
  // The window's frame (title bar, borders) takes its share of the area.
  const QSize frame = isWindow() && frameGeometry().size() != size() ? frameGeometry().size() - size() : QSize(0, 0);
  return shown->availableGeometry().size() - frame;
}

void TfrmGame::SizeWindow(FieldSize size, int rampHeight) {
  const QSize fieldPixels(size.columns * game_.Settings().stoneWidth + 1, size.rows * game_.Settings().stoneHeight + 1);
  // A field of the same size keeps the window the player sized for it.
  const bool sameField = isVisible() && fieldPixels == fieldPixels_ && rampHeight == rampPixels_;
  fieldPixels_ = fieldPixels;
  rampPixels_ = rampHeight;
  setMinimumSize(kMinimumWidth, kChrome + kMinimumFieldHeight);
  if (sameField) {
    LayOutField();
  } else {
    FitWindowToField();
  }
}

void TfrmGame::FitWindowToField() {
  if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
    scaledDown_ = false;
    LayOutField();
    return;
  }
  const QSize available = AvailableClientSize();
  const WindowFit fit = FitWindow(FieldBlock(), kChrome, zoom_ / 100.0, {available.width(), available.height()});
  scaledDown_ = fit.scaledDown;
  resize(fit.client.width, fit.client.height);
  KeepWindowOnScreen();
  LayOutField();
}

// A window grown by a zoom or a larger field moves up and left as far as it
// must to stay whole on its screen.
void TfrmGame::KeepWindowOnScreen() {
  const QScreen* shown = screen();
  if (!shown) return;
  const QRect available = shown->availableGeometry();
  const QSize frame = frameGeometry().size().expandedTo(size());
  QPoint at = pos();
  at.setX(std::max(available.left(), std::min(at.x(), available.left() + available.width() - frame.width())));
  at.setY(std::max(available.top(), std::min(at.y(), available.top() + available.height() - frame.height())));
  if (at != pos()) move(at);
}

// Once the window system has framed the window, its frame counts against the
// screen too; and a move to a screen of another pixel ratio brings new pictures.
void TfrmGame::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (QWindow* handle = windowHandle(); handle && !screenWatched_) {
    screenWatched_ = true;
    connect(handle, &QWindow::screenChanged, this, [this] { LayOutField(); });
  }
  QTimer::singleShot(0, this, [this] {
    const QSize available = AvailableClientSize();
    if (width() <= available.width() && height() <= available.height()) return;
    FitWindowToField();
    if (scaledDown_) ShowMessage(kMsgFieldScaledDown);
  });
}

void TfrmGame::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOutField();
}

void TfrmGame::LayOutField() {
  const int width = this->width();
  const int backHeight = std::max(0, height() - kPanelTopHeight - StatusMain::kHeight);
  panelTop_->setGeometry(0, 0, width, kPanelTopHeight);
  panelBack_->setGeometry(0, kPanelTopHeight, width, backHeight);
  statusMain_->setGeometry(0, kPanelTopHeight + backHeight, width, StatusMain::kHeight);
  LayOutToolBar();
  if (fieldPixels_.isEmpty()) return;

  const PixelSize area{width, std::max(1, backHeight - 2)};
  const double scale = FitScale(FieldBlock(), area, zoom_ / 100.0);
  const double ratio = devicePixelRatioF();
  const FieldPlacement block = PlaceCentred(FieldBlock(), area, scale, ratio);
  // The ramp takes the band above the block and its own rows, the field the rest.
  const double fieldTop = std::round((block.top + rampPixels_ * scale) * ratio) / ratio;
  const int rampBottom = rampPixels_ > 0 ? static_cast<int>(fieldTop) : 0;
  imgRamp_->setGeometry(0, 0, width, rampBottom);
  imgRamp_->SetPlacement(block, QSize(fieldPixels_.width(), rampPixels_));
  imgMain_->setGeometry(0, rampBottom, width, area.height - rampBottom);
  imgMain_->ShowAt({scale, block.left, fieldTop - rampBottom}, fieldPixels_);
  if (imgMain_->NeedsRescale()) rescaleTimer_.start();
}

void TfrmGame::RescaleField() {
  if (!imgMain_->NeedsRescale()) return;
  // A move or a set-up draws on the pictures as they are; they change after it.
  if (game_.SettingUp() || game_.Busy() || game_.MoveInProgress()) {
    rescaleTimer_.start();
    return;
  }
  imgMain_->Rescale();
  imgRamp_->Rescaled();
  DrawWholeField();
}

void TfrmGame::SetZoom(int percent) {
  zoom_ = SaneZoom(percent);
  try {
    store_.SaveRegInt(kRootSection, kValueZoom, zoom_);
  } catch (const std::exception&) {
    // The zoom holds for this run; a store that cannot be written loses nothing else.
  }
  if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) showNormal();
  FitWindowToField();
  ShowZoom();
}

void TfrmGame::ShowZoom() {
  if (scaledDown_) {
    ShowMessage(kMsgFieldScaledDown);
    return;
  }
  ShowMessageWith(kMsgZoom, [zoom = zoom_](int languageOffset) {
    return FormatText(kMsgZoom, languageOffset, {std::to_string(zoom)});
  });
}

void TfrmGame::ZoomIn() { SetZoom(NextZoom(zoom_, 1)); }
void TfrmGame::ZoomOut() { SetZoom(NextZoom(zoom_, -1)); }
void TfrmGame::ZoomReset() { SetZoom(kDefaultZoom); }

}  // namespace pebble::ui
