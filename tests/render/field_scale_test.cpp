// The field's scale in the window: fitting, centring, points back to field
// pixels, and the window's size for a zoom within the screen.
#include <gtest/gtest.h>

#include <cmath>

#include "render/field_scale.h"

namespace pebble {
namespace {

// Every device pixel at a ratio belongs to exactly the field pixel whose
// span holds it, so a click anywhere on a drawn stone finds that stone.
TEST(FieldScale, EveryDevicePixelFindsTheFieldPixelDrawnThere) {
  for (double ratio : {0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 2.37, 3.0, 1.0 / 3}) {
    for (int field = 0; field < 400; ++field) {
      for (int device = DevicePixel(field, ratio); device < DevicePixel(field + 1, ratio); ++device) {
        ASSERT_EQ(FieldPixelAt(device, ratio), field) << "ratio " << ratio << " device " << device;
      }
    }
  }
}

struct PointCase {
  double scale, devicePixelRatio;
  PixelSize area;
};

class FieldPointTest : public ::testing::TestWithParam<PointCase> {};

// The centre of every cell of a 10 x 16 field of 20 x 21 stones, shown at a
// scale in an area, maps back into that cell; the bands beside it map to none.
TEST_P(FieldPointTest, CellCentresMapBackAndBandsMapToNothing) {
  const PointCase& c = GetParam();
  const PixelSize field{201, 337};
  const FieldPlacement at = PlaceCentred(field, c.area, c.scale, c.devicePixelRatio);
  for (int row = 0; row < 16; ++row) {
    for (int column = 0; column < 10; ++column) {
      const double x = at.left + (column * 20 + 10) * c.scale, y = at.top + (row * 21 + 10.5) * c.scale;
      const std::optional<FieldPoint> point = FieldPointAt(x, y, at, field, c.devicePixelRatio);
      ASSERT_TRUE(point);
      EXPECT_EQ(point->x / 20, column);
      EXPECT_EQ(point->y / 21, row);
    }
  }
  EXPECT_FALSE(FieldPointAt(at.left - 1, at.top + 5, at, field, c.devicePixelRatio));
  EXPECT_FALSE(FieldPointAt(at.left + 5, at.top + field.height * c.scale + 1, at, field, c.devicePixelRatio));
  // The picture starts on a whole device pixel, so it is shown pixel for pixel.
  EXPECT_DOUBLE_EQ(at.left * c.devicePixelRatio, std::floor(at.left * c.devicePixelRatio));
}

INSTANTIATE_TEST_SUITE_P(Scales, FieldPointTest,
                         ::testing::Values(PointCase{1.0, 1.0, {201, 337}}, PointCase{1.0, 1.5, {201, 337}},
                                           PointCase{1.5, 1.0, {400, 506}}, PointCase{2.0, 2.0, {1000, 700}},
                                           PointCase{0.63, 1.0, {130, 600}}, PointCase{1.37, 1.5, {500, 500}}));

TEST(FieldScale, FitKeepsTheShapeAndSnapsToTheZoomWithinAPixel) {
  EXPECT_DOUBLE_EQ(FitScale({201, 337}, {201, 337}, 1.0), 1.0);
  // A window sized for 125 % rounds its width up by a fraction of a pixel.
  EXPECT_DOUBLE_EQ(FitScale({201, 337}, {252, 422}, 1.25), 1.25);
  // A maximised window: the height decides.
  EXPECT_DOUBLE_EQ(FitScale({201, 337}, {1920, 674}, 1.0), 2.0);
  EXPECT_DOUBLE_EQ(FitScale({200, 100}, {100, 1000}, 1.0), 0.5);
  const FieldPlacement centred = PlaceCentred({200, 100}, {100, 1000}, 0.5, 1.0);
  EXPECT_DOUBLE_EQ(centred.left, 0);
  EXPECT_DOUBLE_EQ(centred.top, 475);
}

struct WindowCase {
  PixelSize block;
  int zoom;
  PixelSize available;
  PixelSize client;
  bool scaledDown;
};

class FitWindowTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(FitWindowTest, TheWindowFitsTheZoomOrTheScreen) {
  const WindowCase& c = GetParam();
  const WindowFit fit = FitWindow(c.block, 54, c.zoom / 100.0, c.available);
  EXPECT_EQ(fit.client.width, c.client.width);
  EXPECT_EQ(fit.client.height, c.client.height);
  EXPECT_EQ(fit.scaledDown, c.scaledDown);
  EXPECT_LE(fit.client.width, c.available.width);
  EXPECT_LE(fit.client.height, c.available.height);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitWindowTest,
    ::testing::Values(
        // The default field: 201 x 391 at 100 %.
        WindowCase{{201, 337}, 100, {1920, 1080}, {201, 391}, false},
        // With the ramp (23 pixels) above it.
        WindowCase{{201, 360}, 100, {1920, 1080}, {201, 414}, false},
        WindowCase{{201, 337}, 200, {1920, 1080}, {402, 728}, false},
        WindowCase{{201, 337}, 150, {1920, 1080}, {302, 560}, false},
        // 40 x 40 stones shaped after the default picture: 641 x 1051 field
        // pixels, on a screen 1024 high with a 24-pixel panel.
        WindowCase{{641, 1051}, 100, {1280, 1000}, {577, 1000}, true},
        // Too wide: the width decides.
        WindowCase{{2001, 337}, 100, {1024, 768}, {1024, 227}, true}));

TEST(FieldScale, ZoomStepsStopAtTheirEnds) {
  EXPECT_EQ(NextZoom(100, 1), 125);
  EXPECT_EQ(NextZoom(100, -1), 75);
  EXPECT_EQ(NextZoom(110, -1), 100);
  EXPECT_EQ(NextZoom(400, 1), 400);
  EXPECT_EQ(NextZoom(50, -1), 50);
  EXPECT_EQ(SaneZoom(-7), 50);
  EXPECT_EQ(SaneZoom(100000), 400);
}

}  // namespace
}  // namespace pebble
