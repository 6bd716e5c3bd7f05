// Where a background picture lands when it is fitted into the field.
#include <gtest/gtest.h>

#include "render/picture_fit.h"

namespace pebble {
namespace {

struct FitCase {
  std::int32_t pictureWidth, pictureHeight, targetWidth, targetHeight;
  PixelRect expected;
};

class FitPictureRectTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitPictureRectTest, KeepsTheShapeAndCentres) {
  const FitCase& c = GetParam();
  EXPECT_EQ(FitPictureRect(c.pictureWidth, c.pictureHeight, c.targetWidth, c.targetHeight), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitPictureRectTest,
    ::testing::Values(
        // A very wide picture in a tall field: bands above and below.
        FitCase{400, 100, 201, 337, {0, 143, 201, 194}},
        // A tall picture in a wider field: bands left and right.
        FitCase{100, 400, 201, 337, {58, 0, 143, 337}},
        // The same shape fills the field.
        FitCase{201, 337, 201, 337, {0, 0, 201, 337}},
        // The scaled size is truncated; an odd remainder gives the picture the
        // extra pixel.
        FitCase{300, 100, 101, 101, {0, 34, 101, 67}},
        FitCase{300, 100, 101, 100, {0, 33, 101, 67}},
        // The grey picture (10 x 16) in the default field is a little wider.
        FitCase{10, 16, 201, 337, {0, 8, 201, 329}},
        // Square boxes and a wide one; an even margin splits evenly.
        FitCase{400, 100, 200, 200, {0, 75, 200, 125}},
        FitCase{100, 400, 200, 200, {75, 0, 125, 200}},
        FitCase{300, 300, 200, 100, {50, 0, 150, 100}},
        FitCase{640, 480, 320, 240, {0, 0, 320, 240}},
        FitCase{3, 2, 10, 10, {0, 2, 10, 8}}));

TEST(FitPictureRect, NothingToDrawIsAnEmptyRectangle) {
  EXPECT_TRUE(FitPictureRect(0, 0, 201, 337).Empty());
  EXPECT_TRUE(FitPictureRect(100, 0, 201, 337).Empty());
  EXPECT_TRUE(FitPictureRect(100, 100, 0, 337).Empty());
  EXPECT_EQ(FitPictureRect(0, 10, 10, 10), PixelRect{});
}

TEST(StretchPictureRect, LeavesTheFramePixelsFree) {
  EXPECT_EQ(StretchPictureRect(201, 337), (PixelRect{1, 1, 201, 337}));
}

}  // namespace
}  // namespace pebble
