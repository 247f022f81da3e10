// The next versions of a model: a hole drilled through it, the whole model moved. What they make
// is shown by the diff tool's tests (the plate versions, a tube, a moved copy); here what they
// refuse.
#include <gtest/gtest.h>

#include <limits>

#include "KroBRepEdit.h"
#include "KroBRepModel.h"

namespace {

TEST(KroBRepEdit, RefusesWhatItCannotMake) {
  const auto box = KroBRepModel::MakeBox(10, 10, 10);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  KroBRepStatus status;
  EXPECT_FALSE(KroBRepEdit::ThroughHole(nullptr, 0, 0, 1, &status));
  EXPECT_EQ(status.code, KroBRepCode::BadArgument);
  for (const double radius : {0.0, -1.0, nan}) {
    EXPECT_FALSE(KroBRepEdit::ThroughHole(box, 5, 5, radius, &status));
    EXPECT_EQ(status.code, KroBRepCode::BadArgument) << radius;
  }
  EXPECT_FALSE(KroBRepEdit::Translated(box, {0, nan, 0}, &status));
  EXPECT_EQ(status.code, KroBRepCode::BadArgument);
  // A hole wider than the box takes all of it.
  EXPECT_FALSE(KroBRepEdit::ThroughHole(box, 5, 5, 20, &status));
  EXPECT_EQ(status.message, "KroBRepEdit::ThroughHole: the cut leaves no solid");
}

}  // namespace
